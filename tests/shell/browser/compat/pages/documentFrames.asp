<html><head><script src="/legacy/check.js"></script>
<script>
function framesLoaded() {
  check(document.frames.length == 2, "length " + document.frames.length);
  check(document.frames("main").document.getElementById("m") != null, "frames(name)");
  check(document.frames(0).name == "menu", "frames(0)");
  check(document.frames["main"].name == "main", "frames[name]");
  pass();
}
</script></head>
<frameset cols="200,*" onload="framesLoaded()">
<frame name="menu" src="/legacy/menu.asp"><frame name="main" src="/legacy/main.asp">
</frameset></html>