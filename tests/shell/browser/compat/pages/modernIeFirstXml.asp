<html><head><script src="/legacy/check.js"></script></head><body>
<div id="out"></div>
<script>
function parse(text) {
  if (window.ActiveXObject) { var d = new ActiveXObject("Microsoft.XMLDOM"); d.async = false; d.loadXML(text); return d; }
  return new DOMParser().parseFromString(text, "text/xml");
}
function toHtml(xml, xsl) {
  if (typeof xml.transformNode != "undefined") return xml.transformNode(xsl);
  var p = new XSLTProcessor();
  p.importStylesheet(xsl);
  var box = document.createElement("div");
  box.appendChild(p.transformToFragment(xml, document));
  return box.innerHTML;
}
function first(doc, path) {
  if (doc.selectSingleNode) return doc.selectSingleNode(path);
  return doc.evaluate(path, doc, null, XPathResult.FIRST_ORDERED_NODE_TYPE, null).singleNodeValue;
}
var xml = parse("<list><item>a</item><item>b</item></list>");
var xsl = parse('<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"><xsl:output method="html"/>' +
  '<xsl:template match="/"><ul><xsl:for-each select="list/item"><li><xsl:value-of select="."/></li></xsl:for-each></ul></xsl:template></xsl:stylesheet>');
document.getElementById("out").innerHTML = toHtml(xml, xsl);
check(document.getElementById("out").getElementsByTagName("li").length == 2, "transformed");
check(first(xml, "/list/item").textContent == "a", "the first item");
var http = window.ActiveXObject ? new ActiveXObject("Microsoft.XMLHTTP") : new XMLHttpRequest();
http.open("GET", "/legacy/agents.xml", false);
http.send(null);
check(http.responseXML.getElementsByTagName("agent")[0].firstChild.nodeValue == "Wang", "an XML response");
if (window.attachEvent) window.attachEvent("onload", pass); else window.addEventListener("load", pass, false);
</script></body></html>