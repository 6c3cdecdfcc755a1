<!-- Idioms of the old pages checked together: versioned MSXML names, parse errors, event.returnValue and cancelBubble, parentWindow, removeNode, text ranges, execScript, createStyleSheet, callable children and options. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<div id="outer"><div id="inner">x</div></div><input type="checkbox" id="cb"><select id="sel"><option>一</option><option>二</option></select>
<table><tr><td>1</td><td>2</td></tr></table><span id="gone">g</span>
<script>
var bad = [];
function t(name, fn) { try { if (!fn()) bad.push(name); } catch (e) { bad.push(name + " threw " + e.message); } }
t("xmlhttp30", function () { var x = new ActiveXObject("Msxml2.XMLHTTP.3.0"); x.open("GET", "/legacy/count.asp", false); x.send(); return x.responseText == "42"; });
t("dom60", function () { var d = new ActiveXObject("MSXML2.DOMDocument.6.0"); d.async = false; d.loadXML("<a><b>1</b><b>2</b></a>"); return d.selectSingleNode("//b").text == "1" && d.selectNodes("//b").length == 2 && d.documentElement.xml == "<a><b>1</b><b>2</b></a>"; });
t("parseError", function () { var d = new ActiveXObject("Microsoft.XMLDOM"); d.async = false; return !d.loadXML("<a><b></a>") && d.parseError.errorCode != 0; });
t("allItem2", function () { return document.all.item("inner", 0).id == "inner"; });
t("allLength", function () { return document.all.length > 5; });
t("returnValue", function () { var cb = document.getElementById("cb"); cb.attachEvent("onclick", function () { window.event.returnValue = false; }); cb.click(); return !cb.checked; });
t("cancelBubble", function () { var hit = false; document.getElementById("outer").attachEvent("onclick", function () { hit = true; }); document.getElementById("inner").attachEvent("onclick", function () { window.event.cancelBubble = true; }); document.getElementById("inner").click(); return !hit; });
t("parentWindow", function () { return document.parentWindow === window; });
t("removeNode", function () { document.getElementById("gone").removeNode(true); return !document.getElementById("gone"); });
t("textRange", function () { return document.body.createTextRange().text.length > 0; });
t("execScript", function () { window.execScript("var zz = 5"); return window.zz == 5; });
t("createStyleSheet", function () { var s = document.createStyleSheet(); s.addRule("#inner", "color:red"); return document.getElementById("inner").currentStyle.color == "rgb(255, 0, 0)"; });
t("uniqueID", function () { return /^ms__id\d+$/.test(document.body.uniqueID) || typeof document.body.uniqueID == "string"; });
t("sourceIndex", function () { return typeof document.body.sourceIndex == "number"; });
t("childrenCallable", function () { return document.getElementById("outer").children(0).id == "inner"; });
t("optionsCallable", function () { return document.getElementById("sel").options(1).text == "二"; });
t("getYearOld", function () { return new Date(1999, 0, 1).getYear() == 99; });
t("appVersion", function () { return navigator.appVersion.indexOf("MSIE 7.0") >= 0 && navigator.userAgent.indexOf("MSIE") >= 0; });
t("attachEventReturn", function () { return document.body.attachEvent("onmouseover", function () {}) === true; });
t("eventWhich", function () { var seen; document.body.attachEvent("onkeydown", function () { seen = window.event.keyCode; }); document.body.fireEvent("onkeydown", (function () { var e = document.createEventObject(); e.keyCode = 65; return e; })()); return seen == 65; });
if (bad.length) report("FAIL: " + bad.join("; ")); else pass();
</script></body></html>
