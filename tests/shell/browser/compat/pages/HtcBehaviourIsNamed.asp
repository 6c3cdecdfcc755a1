<html><head><script src="/legacy/check.js"></script></head><body>
<div style="behavior: url(/legacy/menu.htc)">菜单</div>
<script>pass();</script>
</body></html>