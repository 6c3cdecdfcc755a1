<html><head><script src="/legacy/check.js"></script></head><body>
<a href="#" id="fav" onclick="window.external.AddFavorite(location.href, '房源系统'); return false;">收藏本站</a>
<script>document.getElementById("fav").click(); pass();</script>
</body></html>