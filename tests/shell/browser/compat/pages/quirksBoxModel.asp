<html><head><script src="/legacy/check.js"></script></head><body>
<div id="box" style="width:100px;padding:10px;border:5px solid #000">x</div>
<script>
check(document.compatMode == "BackCompat", "quirks mode");
var w = document.getElementById("box").offsetWidth;
check(w == 100, "offsetWidth " + w);
pass();
</script></body></html>