<html><head><script src="/legacy/check.js"></script></head><body>
<script>
function popupSaw(ok) { check(ok, "the popup's load handler"); pass(); }
window.open("/legacy/popup.asp", "detail", "width=300,height=200");
</script></body></html>