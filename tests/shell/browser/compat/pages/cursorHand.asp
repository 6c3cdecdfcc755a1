<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">
<html><head><script src="/legacy/check.js"></script>
<style>.link { cursor: hand; color: blue }</style></head><body>
<span id="inline" style="cursor:hand">详情</span>
<span id="sheet" class="link">房源</span>
<script>
window.onload = function () {
  var ids = ["inline", "sheet"];
  for (var i = 0; i < ids.length; i++) {
    var cursor = getComputedStyle(document.getElementById(ids[i])).cursor;
    check(cursor == "pointer", ids[i] + ": " + cursor);
  }
  pass();
};
</script></body></html>
