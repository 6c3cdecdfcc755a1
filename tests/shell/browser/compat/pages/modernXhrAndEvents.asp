<!DOCTYPE html><html><head><script src="/legacy/check.js"></script></head><body>
<div id="box" style="width:100px;padding:10px">x</div>
<script>
var box = document.getElementById("box");
check(box.offsetWidth == 120, "a standards-mode box " + box.offsetWidth);
var xhr = window.XMLHttpRequest ? new XMLHttpRequest() : new ActiveXObject("Microsoft.XMLHTTP");
xhr.onload = function () {
  check(xhr.responseText == "42" && xhr.responseXML === null, "a text response");
  var e = document.createEvent("Event");
  e.initEvent("change", true, true);
  var seen = false;
  box.addEventListener("change", function (ev) { seen = ev === e; });
  box.dispatchEvent(e);
  check(seen, "a dispatched event");
  pass();
};
xhr.open("GET", "/legacy/count.asp");
xhr.send();
</script></body></html>