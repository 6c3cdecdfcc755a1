<html><head><script src="/legacy/check.js"></script><meta http-equiv="Content-Type" content="text/html; charset=gb2312"></head><body>
<script>
check(window.clipboardData.setData("Text", "房源编号 A-1024"), "setData");
pass();
</script></body></html>