<html><head><script src="/legacy/check.js"></script></head><body>
面积 <input id="area" onpropertychange="if (event.propertyName == 'value' && this.value == '7') pass();">
<script>document.getElementById("area").focus();</script>
</body></html>