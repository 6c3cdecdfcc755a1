<html><head><script src="/legacy/check.js"></script>
<script for="window" event="onload">
document.getElementById("go").click();
check(clicked === true, "the onclick script of the button");
pass();
</script>
</head><body>
<button id="go">查询</button>
<script for="go" event="onclick">clicked = true;</script>
<script>var clicked = false;</script>
</body></html>