<html><head><script src="/legacy/check.js"></script><meta http-equiv="Content-Type" content="text/html; charset=gb2312"></head><body>
<div id="out"></div>
<script>
var xml = new ActiveXObject("Microsoft.XMLDOM");
xml.async = false;
xml.load("/legacy/houses.xml");
var xsl = new ActiveXObject("Microsoft.XMLDOM");
xsl.async = false;
xsl.load("/legacy/houses.xsl");
document.getElementById("out").innerHTML = xml.transformNode(xsl);
var rows = document.getElementById("out").getElementsByTagName("tr");
check(rows.length == 2, "rows " + rows.length);
check(rows[1].cells[0].innerHTML == "西城区" && rows[1].cells[1].innerHTML == "120", "second row");
pass();
</script></body></html>