<html><head><script src="/legacy/check.js"></script><meta http-equiv="Content-Type" content="text/html; charset=gb2312"></head><body>
<script>
var text = window.clipboardData.getData("Text");
check(text == "客户电话 13800138000", "read: " + text);
pass();
</script></body></html>