<html><head><script src="/legacy/check.js"></script></head><body>
<div id="handle" style="position:absolute;left:0;top:0;width:200px;height:100px;background:#ccc">拖动</div>
<script>
var handle = document.getElementById("handle"), today = null;
handle.addEventListener("mousedown", function (e) { today = e.button; });
handle.onmousedown = function () {
  check(event.button == 1, "window.event.button " + event.button);
  setTimeout(function () { check(today === 0, "a listener's button " + today); pass(); }, 0);
};
</script></body></html>