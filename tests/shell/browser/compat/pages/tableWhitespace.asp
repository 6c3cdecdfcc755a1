<html><head><script src="/legacy/check.js"></script></head><body>
<table id="houses" border="1">
  <thead>
    <tr><th>编号</th><th>小区</th></tr>
  </thead>
  <tbody>
    <tr>
      <td>3</td>
      <td>王府花园</td>
    </tr>
    <tr>
      <td>1</td>
      <td>李家村</td>
    </tr>
  </tbody>
</table>
<select id="kind">
  <option>出售</option>
  <option>出租</option>
</select>
<div id="holder"></div>
<script>
// A sort of that time walks the rows' and cells' child nodes.
var body = document.getElementById("houses").tBodies[0];
check(body.firstChild.tagName == "TR", "tbody.firstChild: " + body.firstChild.nodeName);
check(body.childNodes.length == 2, "rows in childNodes: " + body.childNodes.length);
check(body.childNodes[0].childNodes[1].innerText == "王府花园", "row.childNodes[1]");
check(document.getElementById("houses").firstChild.tagName == "THEAD", "table.firstChild");
check(document.getElementById("kind").firstChild.text == "出租" || document.getElementById("kind").firstChild.text == "出售",
      "select.firstChild");
// rows as a script writes them
document.getElementById("holder").innerHTML = "<table>\n <tr>\n  <td>甲</td>\n  <td>乙</td>\n </tr>\n</table>";
var row = document.getElementById("holder").firstChild.rows[0];
check(row.childNodes.length == 2 && row.lastChild.innerText == "乙", "written row: " + row.childNodes.length);
pass();
</script></body></html>
