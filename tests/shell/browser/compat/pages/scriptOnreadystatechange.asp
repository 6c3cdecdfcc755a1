<html><head><script src="/legacy/check.js"></script></head><body>
<script>
var s = document.createElement("script");
s.src = "/legacy/iefix.js";
if (document.all) {
  s.onreadystatechange = function () {
    if (this.readyState == "loaded" || this.readyState == "complete") { check(window.ieFix === 5, "loaded"); pass(); }
  };
} else {
  s.onload = function () { report("FAIL: took the branch for other browsers"); };
}
document.getElementsByTagName("head")[0].appendChild(s);
</script></body></html>