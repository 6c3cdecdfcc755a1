<html><head><script src="/legacy/check.js"></script></head><body>
<form name="f">
编号 <input name="a" onkeydown="if (event.keyCode == 13) event.keyCode = 9;">
<input name="b" onfocus="check(document.f.a.value == '', 'Enter typed into a'); pass();">
</form>
<script>document.f.a.focus();</script>
</body></html>