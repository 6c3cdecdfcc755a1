<html><head><script src="/legacy/check.js"></script></head><body>
<form><input name="txtPrice" value="95"></form>
<script>
var el = document.getElementById("txtPrice");
check(el && el.value == "95", "found by name");
check(document.getElementById("nothing") == null, "a missing id");
pass();
</script></body></html>