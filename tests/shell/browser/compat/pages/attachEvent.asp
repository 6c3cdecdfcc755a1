<html><head><script src="/legacy/check.js"></script></head><body>
<button id="save">保存</button>
<script>
var btn = document.getElementById("save"), hits = 0;
function onSave() {
  hits++;
  check(window.event && window.event.srcElement == btn, "window.event.srcElement");
  check(this == window, "this is the window");
}
btn.attachEvent("onclick", onSave);
btn.attachEvent("onclick", onSave);
btn.click();
btn.detachEvent("onclick", onSave);
btn.click();
check(hits == 1, "the handler ran " + hits + " times");
pass();
</script></body></html>