<html><head><script src="/legacy/check.js"></script><meta http-equiv="Content-Type" content="text/html; charset=gb2312"></head><body>
<script>
var doc = new ActiveXObject("Microsoft.XMLDOM");
doc.async = false;
check(doc.load("/legacy/houses.xml"), "load: " + doc.parseError.reason);
var names = doc.selectNodes("//house/district");
check(names.length == 2, "selectNodes " + names.length);
check(names[0].text == "东城区", "GB2312 text " + names[0].text);
check(doc.selectSingleNode("//house[@id='2']/price").text == "120", "selectSingleNode");
check(doc.selectSingleNode("//house[0]/price").text == "89", "XSL patterns count from 0");
check(doc.documentElement.childNodes.length == 2, "white space dropped: " + doc.documentElement.childNodes.length);
var mem = new ActiveXObject("Msxml2.DOMDocument");
check(mem.loadXML("<agent id='7'>Li</agent>") && mem.xml == '<agent id="7">Li</agent>', "loadXML, xml: " + mem.xml);
check(!mem.loadXML("<agent>") && mem.parseError.errorCode != 0, "parseError");
pass();
</script></body></html>