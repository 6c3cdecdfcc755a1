<html><head><script src="/legacy/check.js"></script>
<style>.tag { color: #ff0000; display: inline; }</style></head><body>
<span id="s" class="tag">x</span>
<script>
var cs = document.getElementById("s").currentStyle;
check(cs.display == "inline", "display " + cs.display);
check(cs.color == "rgb(255, 0, 0)" && cs.getAttribute("display") == "inline", "color " + cs.color);
pass();
</script></body></html>