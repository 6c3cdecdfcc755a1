<html><body>详情
<script>
window.attachEvent("onload", function () { opener.popupSaw(window.event.type == "load"); window.close(); });
</script></body></html>