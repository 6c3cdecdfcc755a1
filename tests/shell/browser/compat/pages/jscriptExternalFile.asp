<html><head><script src="/legacy/check.js"></script>
<script>var 工具 = {};</script>
<script src="/legacy/jscriptFile.js"></script>
</head><body><p>合计</p></body></html>
