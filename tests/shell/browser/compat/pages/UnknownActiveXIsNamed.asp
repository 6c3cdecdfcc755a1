<html><head><script src="/legacy/check.js"></script></head><body>
<script>
var failed = null;
try { new ActiveXObject("Excel.Application"); } catch (e) { failed = e; }
check(failed && failed.number == -2146827859, "the Automation error " + (failed && failed.number));
pass();
</script></body></html>