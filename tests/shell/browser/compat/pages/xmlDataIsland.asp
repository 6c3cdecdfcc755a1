<html><head><script src="/legacy/check.js"></script></head><body>
<xml id="houses"><Houses><House Id="1" Area="89"/><House Id="2" Area="120"/></Houses></xml>
<xml id="agents" src="/legacy/agents.xml"></xml>
<script>
var doc = houses.XMLDocument;
check(doc.documentElement.nodeName == "Houses", "root " + doc.documentElement.nodeName);
var list = doc.selectNodes("//House");
check(list.length == 2, "houses " + list.length);
check(list[1].getAttribute("Area") == "120", "an attribute");
check(document.getElementById("agents").XMLDocument.selectSingleNode("//agent").text == "Wang", "an island's src");
pass();
</script></body></html>