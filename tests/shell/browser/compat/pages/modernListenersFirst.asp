<html><head><script src="/legacy/check.js"></script></head><body>
<button id="b">b</button>
<script>
function on(el, type, fn) { if (el.addEventListener) el.addEventListener(type, fn, false); else el.attachEvent("on" + type, fn); }
var b = document.getElementById("b"), hits = 0;
on(b, "click", function (e) { hits++; check(e && e.target == b && this == b, "the event and this"); });
b.click();
check(hits == 1, "hits " + hits);
pass();
</script></body></html>