<html><head><script src="/legacy/check.js"></script>
<object id="WebBrowser" classid="CLSID:8856F961-340A-11D0-A96B-00C04FD705A2" height="0" width="0"></object>
<script>
// Prints the part of the page between the marks: the body rewritten to that part, then as it was.
function printPart() {
  var whole = document.body.innerHTML;
  var from = whole.indexOf("<!--startprint-->"), to = whole.indexOf("<!--endprint-->");
  document.body.innerHTML = whole.substring(from + 17, to);
  document.all.WebBrowser.ExecWB(7, 1);
  document.body.innerHTML = whole;
}
</script></head><body>
<p>页面上不打印的部分</p>
<!--startprint--><table><tr><td>房源 A-1024</td></tr></table><!--endprint-->
<script>
printPart();
WebBrowser.ExecWB(6, 1);
check(document.body.innerText.indexOf("页面上不打印的部分") >= 0, "the body as it was");
pass();
</script></body></html>
