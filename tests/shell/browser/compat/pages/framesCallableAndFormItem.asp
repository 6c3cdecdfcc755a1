<html><head><script src="/legacy/check.js"></script></head><body>
<form name="search"><input name="area" value="海淀"><input name="rooms" value="3"></form>
<iframe name="main" src="/legacy/main.asp"></iframe>
<script>
window.onload = function () {
  check(window.frames("main").document.getElementById("m").innerText == "房源", "window.frames(name)");
  check(frames(0).document.getElementById("m") != null, "frames(index)");
  check(frames.length == 1 && frames["main"] == frames(0), "frames as a collection");
  check(document.search.item("area").value == "海淀", "form.item(name)");
  check(document.search.item(1).value == "3", "form.item(index)");
  pass();
};
</script></body></html>
