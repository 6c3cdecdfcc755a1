<html><head><script src="/legacy/check.js"></script></head><body>
<object id="WB" classid="CLSID:8856F961-340A-11D0-A96B-00C04FD705A2" width="0" height="0"></object>
<script>
WB.ExecWB(7, 1);
WB.ExecWB(6, 1);
WB.ExecWB(8, 1);
pass();
</script></body></html>