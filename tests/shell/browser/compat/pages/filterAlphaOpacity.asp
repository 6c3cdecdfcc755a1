<html><head><script src="/legacy/check.js"></script>
<style>.dim { filter: alpha(opacity=40); }</style>
<link rel="stylesheet" href="/legacy/old.css"></head><body>
<div id="a" class="dim">a</div>
<div id="b" style="filter:alpha(opacity=25)">b</div>
<div id="c">c</div>
<div id="d" class="faded">d</div>
<script>
function opacity(id) { return parseFloat(getComputedStyle(document.getElementById(id)).opacity); }
check(opacity("a") == 0.4, "a style sheet: " + opacity("a"));
window.onload = function () {
check(opacity("b") == 0.25, "a style attribute: " + opacity("b"));
var c = document.getElementById("c");
c.style.filter = "alpha(opacity=60)";
check(opacity("c") == 0.6 && c.style.filter == "alpha(opacity=60)", "script: " + opacity("c"));
check(c.filters.alpha.opacity == 60, "filters.alpha.opacity");
c.filters.alpha.opacity = 10;
check(opacity("c") == 0.1, "filters.alpha.opacity = 10");
var tries = 0;
(function linked() {
  if (opacity("d") == 0.5) pass();
  else if (++tries < 80) setTimeout(linked, 50);
  else report("FAIL: a linked style sheet: " + opacity("d"));
})();
};
</script></body></html>