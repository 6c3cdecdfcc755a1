<html><head><script src="/legacy/check.js"></script></head><body>
<object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" width="100" height="50">
<param name="movie" value="/legacy/banner.swf"></object>
<script>pass();</script>
</body></html>