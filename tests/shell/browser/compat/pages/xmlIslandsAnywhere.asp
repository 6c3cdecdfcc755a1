<html><head><script src="/legacy/check.js"></script></head><body>
<table><tr><td>
<xml id="agents"><agents><agent name="王">电话 8888<br/>手机 139</agent></agents></xml>
</td></tr></table>
<script>
// An island the page writes itself: the server's markup does not hold it.
document.write('<xml id="written"><houses><house area="89"/><note>满五年 唯一</note></houses></xml>');
window.onload = function () {
  var agents = document.getElementById("agents").XMLDocument.documentElement;
  check(agents && agents.nodeName == "agents", "the island in a table: " + (agents && agents.nodeName));
  var written = document.getElementById("written").XMLDocument.documentElement;
  check(written && written.nodeName == "houses", "the written island: " + (written && written.nodeName));
  check(written.selectSingleNode("//note").text.indexOf("唯一") > 0, "its text");
  pass();
};
</script></body></html>
