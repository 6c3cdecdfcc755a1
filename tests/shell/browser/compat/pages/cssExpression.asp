<html><head><script src="/legacy/check.js"></script>
<style>#half { width: expression(document.body.clientWidth / 2 + "px"); height: 10px; }</style></head>
<body style="margin:0"><div id="half"></div>
<script>
window.onload = function () {
  var w = document.getElementById("half").offsetWidth, body = document.body.clientWidth;
  check(Math.abs(w - body / 2) <= 1, "width " + w + " of " + body);
  pass();
};
</script></body></html>