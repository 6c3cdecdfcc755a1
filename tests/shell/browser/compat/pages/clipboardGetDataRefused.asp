<html><head><script src="/legacy/check.js"></script></head><body>
<script>
check(window.clipboardData.getData("Text") === null, "read without leave");
pass();
</script></body></html>