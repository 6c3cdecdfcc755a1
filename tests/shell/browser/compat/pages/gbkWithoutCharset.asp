<html><head><script src="/legacy/check.js"></script>
<script src="/legacy/districts.js"></script><title>House list</title></head><body>
<form action=save.asp method=post><input name=a value=1><input type=submit value=OK></form><p>Total: 12</p><p id="p">价格</p><script>
check(document.characterSet == "GBK", document.characterSet);
check(document.getElementById("p").innerText == "\u4ef7\u683c", "the page's text");
check(district == "\u4e1c\u57ce\u533a", "the script's text");
pass();
</script></body></html>