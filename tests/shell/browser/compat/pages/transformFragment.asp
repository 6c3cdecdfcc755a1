<html><head><script src="/legacy/check.js"></script></head><body>
<table id="list"><tbody id="rows"></tbody></table>
<div id="summary"></div>
<script>
var xml = new ActiveXObject("Microsoft.XMLDOM");
xml.async = false;
xml.loadXML("<房源><套 区='海淀' 价='120'/><套 区='西城' 价='98'/></房源>");
// No xsl:output, and a result of rows: several top-level nodes.
var rows = new ActiveXObject("Microsoft.XMLDOM");
rows.async = false;
rows.loadXML('<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">' +
  '<xsl:template match="/"><xsl:for-each select="房源/套"><tr><td><xsl:value-of select="@区"/></td>' +
  '<td><xsl:value-of select="@价"/></td></tr></xsl:for-each></xsl:template></xsl:stylesheet>');
var html = xml.transformNode(rows);
check(html.indexOf("Extra content") < 0, "an error in place of the rows: " + html);
document.getElementById("summary").innerHTML = "<table>" + html + "</table>";
var cells = document.getElementById("summary").getElementsByTagName("td");
check(cells.length == 4 && cells[2].innerText == "西城", "the rows: " + cells.length);
// and a result that is text only
var count = new ActiveXObject("Microsoft.XMLDOM");
count.async = false;
count.loadXML('<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">' +
  '<xsl:template match="/">共<xsl:value-of select="count(房源/套)"/>套</xsl:template></xsl:stylesheet>');
check(xml.transformNode(count) == "共2套", "the text: " + xml.transformNode(count));
pass();
</script></body></html>
