// Pages written for the old embedded Internet Explorer, one feature each, run in
// the program's browser against a real HTTP server that answers as a classic
// ASP server does (text/html without a charset, GB2312 bytes). Every page runs
// with the compatibility layer and without it: it must pass with the layer and fail
// without it; the pages written for browsers of today must pass both ways.
//
// A page gives its verdict in its title ("PASS", or "FAIL: why" at the first
// failed check, a script error or after five seconds without a verdict).
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <vector>

#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/TestHttpServer.h"
#include "platform/Platform.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/BrowserWindow.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"
#include "shell/browser/compat/LegacyDialog.h"
#include "shell/browser/compat/NoticeBar.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

using test::TestHttpServer;
using test::WaitUntil;

QVariant Js(WebBrowser& view, const QString& script) {
    std::optional<QVariant> result;
    view.page()->runJavaScript(script, [&](const QVariant& v) { result = v; });
    WaitUntil([&] { return result.has_value(); });
    return result.value_or(QVariant());
}

// The browser's compatibility layer for the test server's host, or none;
// what the pages asked of the program, as the user would have seen it: the
// print, preview and page setup dialogs, the clipboard question, the notice
// over the page.
class Layer {
public:
    static void Install(bool on, bool clipboardAnswer) {
        WebBrowser::ProgramProfile();  // the layer starts with the engine
        CompatLayer::Configure(on, {QStringLiteral("127.0.0.1")});
        calls_.clear();
        const auto dialog = [](const char* call) {
            return [call](QWidget*, QPrinter&) {
                calls_ << QString::fromLatin1(call);
                return false;
            };
        };
        prompts::SetPrintDialog(dialog("print:print"));
        prompts::SetPreviewDialog(dialog("print:preview"));
        prompts::SetPageSetupDialog(dialog("print:setup"));
        prompts::SetYesNoQuestion([clipboardAnswer](QWidget*, const QString& text, const QString&, bool) {
            calls_ << QStringLiteral("clipboardAllowed");
            return clipboardAnswer && text.contains(QStringLiteral("剪贴板"));
        });
    }
    static QStringList ProgramCalls(WebBrowser& view) {
        QStringList calls = calls_;
        for (const QString& feature : NoticeBar::For(&view)->features())
            if (NoticeBar::For(&view)->isVisible()) calls << QStringLiteral("notice:") + feature;
        return calls;
    }

private:
    static inline QStringList calls_;
};

// One IE-era page and what running it involves besides its verdict.
struct Page {
    const char* name;  // served as /legacy/<name>.asp
    const char* html;  // UTF-8 here, GB2312 bytes on the wire
    QStringList calls = {};  // what it must ask of the program
    std::function<void(WebBrowser&)> act = {};  // what the user does once it has loaded
    bool modern = false;  // written for browsers of today: passes with and without the layer
    const char* clipboardBefore = nullptr;  // the clipboard's text before the page opens
    bool allowClipboard = true;  // the user's answer to a page reading the clipboard
    const char* clipboardAfter = nullptr;  // the clipboard's text the page must leave
};
void PrintTo(const Page& page, std::ostream* out) { *out << page.name; }

QByteArray Gbk(const char* utf8) { return QByteArray::fromStdString(platform::ToAnsi(utf8)); }

void Key(WebBrowser& view, Qt::Key key, const QString& text) {
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(view.focusProxy(), &event);
    }
}
void Click(WebBrowser& view, QPoint at) {
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, view.focusProxy()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.focusProxy(), &event);
    }
}

// Everything the pages use besides themselves, as the agency's server serves it.
struct Resource {
    const char* path;
    const char* body;
    const char* type;
};
const Resource kResources[] = {
    {"/legacy/picker.asp", R"HTML(<html><head><title>选择区域</title></head><body><script>
var a = window.dialogArguments;
var doubled = window.showModalDialog("/legacy/inner.asp", a.n, "dialogWidth:200px;dialogHeight:100px");
window.returnValue = {district: a.district, nested: doubled};
window.close();
</script></body></html>)HTML",
     "text/html"},
    {"/legacy/inner.asp", "<script>window.returnValue = window.dialogArguments * 2; window.close();</script>", "text/html"},
    {"/legacy/details.asp", "<html><head><title>房源详情</title></head><body><script>window.returnValue = '已看';</script></body></html>",
     "text/html"},
    {"/legacy/districts.js", "var district = '东城区';", "application/x-javascript"},
    {"/check.js", R"JS(
var verdict = null;
function report(text) { if (verdict === null) { verdict = text; document.title = text; } }
function check(ok, why) { if (!ok) report("FAIL: " + why); return ok; }
function pass() { report("PASS"); }
window.onerror = function (message) { report("FAIL: " + message); };
window.setTimeout(function () { report("FAIL: no verdict"); }, 5000);
)JS",
     "application/x-javascript"},
    {"/legacy/menu.asp", "<html><body><a href=/legacy/main.asp target=main>房源列表</a></body></html>", "text/html"},
    {"/legacy/main.asp", "<html><body><div id=m>房源</div></body></html>", "text/html"},
    {"/legacy/navigated.asp", "<script src=/check.js></script><script>pass();</script>", "text/html"},
    {"/legacy/popup.asp", R"HTML(<html><body>详情
<script>
window.attachEvent("onload", function () { opener.popupSaw(window.event.type == "load"); window.close(); });
</script></body></html>)HTML",
     "text/html"},
    {"/legacy/count.asp", "42", "text/plain"},
    {"/legacy/iefix.js", "var ieFix = 5;", "application/x-javascript"},
    {"/legacy/old.css", ".faded { color: #333; filter: alpha(opacity=50); }", "text/css"},
    {"/legacy/agents.xml", "<agents><agent>Wang</agent></agents>", "text/xml"},
    {"/legacy/houses.xml", R"XML(<?xml version="1.0" encoding="gb2312"?>
<houses>
  <house id="1"><district>东城区</district><price>89</price></house>
  <house id="2"><district>西城区</district><price>120</price></house>
</houses>
)XML",
     "text/xml"},
    {"/legacy/houses.xsl", R"XML(<?xml version="1.0" encoding="gb2312"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:output method="html"/>
<xsl:template match="/">
  <table><xsl:for-each select="houses/house"><tr><td><xsl:value-of select="district"/></td><td><xsl:value-of select="price"/></td></tr></xsl:for-each></table>
</xsl:template>
</xsl:stylesheet>
)XML",
     "text/xml"},
};

// Clicking at the page's top left corner runs its go().
#define DIALOG_BUTTON \
    "</head><body><button onclick='go()' style='position:absolute;left:0;top:0;width:200px;height:80px'>" \
    "打开</button><script>"

// What the user does with the dialog the page opened: checks it is a dialog
// of the page's window with the page area and caption asked for, blocking
// the window or not, then closes it. A page without a dialog gets no verdict.
std::function<void(WebBrowser&)> CloseDialog(QSize area, QString caption, bool modal) {
    return [=](WebBrowser& view) {
        Click(view, QPoint(100, 40));
        LegacyDialog* dialog = nullptr;
        const bool opened = WaitUntil([&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if ((dialog = qobject_cast<LegacyDialog*>(widget)) && dialog->isVisible()) return true;
            return false;
        }, 3000);
        if (!opened) return;  // the page fails for it
        if (!caption.isEmpty()) EXPECT_TRUE(WaitUntil([&] { return dialog->windowTitle() == caption; }));
        EXPECT_EQ(dialog->browser()->size(), area);
        EXPECT_EQ(dialog->parentWidget(), view.window());
        EXPECT_EQ(dialog->windowType(), Qt::Dialog);
        EXPECT_EQ(dialog->isModal(), modal);
        WaitUntil([&] { return !dialog->browser()->page()->isLoading(); }, 3000);
        dialog->close();
    };
}

// The head every page starts with.
#define HEAD "<html><head><script src=\"/check.js\"></script>"
#define GB2312 "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"

const Page kPages[] = {
    // ---- events
    {.name = "attachEvent", .html = HEAD R"HTML(</head><body>
<button id="save">保存</button>
<script>
var btn = document.getElementById("save"), hits = 0;
function onSave() {
  hits++;
  check(window.event && window.event.srcElement == btn, "window.event.srcElement");
  check(this == window, "this is the window");
}
btn.attachEvent("onclick", onSave);
btn.attachEvent("onclick", onSave);
btn.click();
btn.detachEvent("onclick", onSave);
btn.click();
check(hits == 1, "the handler ran " + hits + " times");
pass();
</script></body></html>)HTML"},
    {.name = "fireEvent", .html = HEAD R"HTML(</head><body>
<a id="link" href="/legacy/elsewhere.asp" onclick="seen = window.event.keyCode">房源</a>
<script>
var seen = null;
var evt = document.createEventObject();
evt.keyCode = 13;
var result = document.getElementById("link").fireEvent("onclick", evt);
check(seen === 13, "the handler saw keyCode " + seen);
check(result === true, "fireEvent returned " + result);
setTimeout(function () { check(location.pathname.indexOf("fireEvent") > 0, "the link was followed"); pass(); }, 300);
</script></body></html>)HTML"},
    {.name = "EnterMovesToTheNextField", .html = HEAD R"HTML(</head><body>
<form name="f">
编号 <input name="a" onkeydown="if (event.keyCode == 13) event.keyCode = 9;">
<input name="b" onfocus="check(document.f.a.value == '', 'Enter typed into a'); pass();">
</form>
<script>document.f.a.focus();</script>
</body></html>)HTML",
     .act = [](WebBrowser& view) { Key(view, Qt::Key_Return, QStringLiteral("\r")); }},
    {.name = "mouseButtons", .html = HEAD R"HTML(</head><body>
<div id="handle" style="position:absolute;left:0;top:0;width:200px;height:100px;background:#ccc">拖动</div>
<script>
var handle = document.getElementById("handle"), today = null;
handle.addEventListener("mousedown", function (e) { today = e.button; });
handle.onmousedown = function () {
  check(event.button == 1, "window.event.button " + event.button);
  setTimeout(function () { check(today === 0, "a listener's button " + today); pass(); }, 0);
};
</script></body></html>)HTML",
     .act = [](WebBrowser& view) { Click(view, QPoint(50, 50)); }},
    {.name = "onpropertychangeFromScript", .html = HEAD R"HTML(</head><body>
<input id="price" onpropertychange="seen.push(window.event.propertyName + '=' + this.value)">
<script>
var seen = [];
var price = document.getElementById("price");
price.value = "120";
price.className = "big";
setTimeout(function () {
  check(seen.join() == "value=120,className=120", "changes seen: " + seen.join());
  pass();
}, 100);
</script></body></html>)HTML"},
    {.name = "onpropertychangeFromTyping", .html = HEAD R"HTML(</head><body>
面积 <input id="area" onpropertychange="if (event.propertyName == 'value' && this.value == '7') pass();">
<script>document.getElementById("area").focus();</script>
</body></html>)HTML",
     .act = [](WebBrowser& view) { Key(view, Qt::Key_7, QStringLiteral("7")); }},
    {.name = "scriptForEvent", .html = HEAD R"HTML(
<script for="window" event="onload">
document.getElementById("go").click();
check(clicked === true, "the onclick script of the button");
pass();
</script>
</head><body>
<button id="go">查询</button>
<script for="go" event="onclick">clicked = true;</script>
<script>var clicked = false;</script>
</body></html>)HTML"},
    {.name = "scriptOnreadystatechange", .html = HEAD R"HTML(</head><body>
<script>
var s = document.createElement("script");
s.src = "/legacy/iefix.js";
if (document.all) {
  s.onreadystatechange = function () {
    if (this.readyState == "loaded" || this.readyState == "complete") { check(window.ieFix === 5, "loaded"); pass(); }
  };
} else {
  s.onload = function () { report("FAIL: took the branch for other browsers"); };
}
document.getElementsByTagName("head")[0].appendChild(s);
</script></body></html>)HTML"},

    // ---- the document and its collections
    {.name = "documentAll", .html = HEAD R"HTML(</head><body>
<div id="price">120</div>
<table><tr><td>1</td><td>2</td></tr></table>
<script>
if (document.all) {
  check(document.all("price").innerText == "120", "all(id)");
  check(document.all.price.id == "price", "all.id");
  check(document.all.item("price").id == "price", "all.item(id)");
  check(document.all.tags("TD").length == 2, "all.tags");
  check(document.all.tags("td")[1].innerText == "2", "all.tags()[1]");
  pass();
} else {
  report("FAIL: document.all is false");
}
</script></body></html>)HTML"},
    {.name = "callableCollections", .html = HEAD R"HTML(</head><body>
<form name="search">
<input name="district" value="east">
<select name="rooms"><option>1</option><option>2</option></select>
<input type="radio" name="kind" value="sale"><input type="radio" name="kind" value="rent">
</form>
<table id="list"><tr><td>a</td><td>b</td></tr></table>
<script>
var f = document.forms("search");
check(f && f.name == "search", "forms(name)");
check(document.forms(0) == f, "forms(0)");
check(f.elements("district").value == "east", "elements(name)");
check(f.elements.item("rooms").options(1).text == "2", "elements.item(name).options(1)");
check(f.elements("kind").length == 2, "elements(radio group)");
check(f.elements.item("kind", 1).value == "rent", "elements.item(name, index)");
check(document.getElementById("list").rows(0).cells(1).innerHTML == "b", "rows(0).cells(1)");
check(document.images.item("nothing") == null, "a missing name");
pass();
</script></body></html>)HTML"},
    {.name = "getElementByIdFindsNames", .html = HEAD R"HTML(</head><body>
<form><input name="txtPrice" value="95"></form>
<script>
var el = document.getElementById("txtPrice");
check(el && el.value == "95", "found by name");
check(document.getElementById("nothing") == null, "a missing id");
pass();
</script></body></html>)HTML"},
    {.name = "createElementFromMarkup", .html = HEAD R"HTML(</head><body>
<form id="f"></form>
<script>
var f = document.getElementById("f");
for (var i = 0; i < 2; i++) f.appendChild(document.createElement("<input type='radio' name='kind' value='" + i + "'>"));
check(f.elements.length == 2 && f.elements[0].name == "kind", "name given at creation");
f.elements[0].checked = true;
f.elements[1].checked = true;
check(!f.elements[0].checked, "one radio group");
pass();
</script></body></html>)HTML"},
    {.name = "getYear", .html = HEAD R"HTML(</head><body>
<script>
var year = new Date(2024, 4, 1).getYear();
check(year == 2024, "2024 is " + year);
check(new Date(1999, 11, 31).getYear() == 99, "1999");
pass();
</script></body></html>)HTML"},
    {.name = "setAttributeClassName", .html = HEAD R"HTML(</head><body>
<div id="row">1</div>
<script>
var row = document.getElementById("row");
row.setAttribute("className", "selected");
check(row.className == "selected", "className " + row.className);
row.setAttribute("onclick", function () { window.rowClicked = true; });
row.click();
check(window.rowClicked, "a handler given by setAttribute");
pass();
</script></body></html>)HTML"},
    {.name = "documentFrames", .html = HEAD R"HTML(
<script>
function framesLoaded() {
  check(document.frames.length == 2, "length " + document.frames.length);
  check(document.frames("main").document.getElementById("m") != null, "frames(name)");
  check(document.frames(0).name == "menu", "frames(0)");
  check(document.frames["main"].name == "main", "frames[name]");
  pass();
}
</script></head>
<frameset cols="200,*" onload="framesLoaded()">
<frame name="menu" src="/legacy/menu.asp"><frame name="main" src="/legacy/main.asp">
</frameset></html>)HTML"},
    {.name = "navigate", .html = HEAD R"HTML(</head><body>
<script>window.navigate("/legacy/navigated.asp");</script>
</body></html>)HTML"},
    {.name = "windowOpenReusesTheWindow", .html = HEAD R"HTML(</head><body>
<script>
function popupSaw(ok) { check(ok, "the popup's load handler"); pass(); }
window.open("/legacy/popup.asp", "detail", "width=300,height=200");
</script></body></html>)HTML"},
    {.name = "createPopup", .html = HEAD R"HTML(</head><body>
<div id="anchor" style="position:absolute;left:50px;top:40px;width:10px;height:10px"></div>
<script>
var popup = window.createPopup();
popup.document.body.innerHTML = '<div id="menu" style="background:#ffffe1">编辑</div>';
popup.show(0, 20, 120, 60, document.getElementById("anchor"));
check(popup.isOpen, "isOpen");
var hit = document.elementFromPoint(80, 80);
check(hit && hit.tagName == "IFRAME", "the popup lies at 50,60: " + (hit && hit.tagName));
check(popup.document.getElementById("menu") != null, "its content");
popup.hide();
check(!popup.isOpen && document.elementFromPoint(80, 80) != hit, "hidden");
pass();
</script></body></html>)HTML"},
    {.name = "externalAddFavorite", .html = HEAD R"HTML(</head><body>
<a href="#" id="fav" onclick="window.external.AddFavorite(location.href, '房源系统'); return false;">收藏本站</a>
<script>document.getElementById("fav").click(); pass();</script>
</body></html>)HTML"},
    {.name = "documentSelection", .html = HEAD R"HTML(</head><body>
<textarea id="memo">sunny flat, two rooms</textarea>
<p>Note: <span id="s">new kitchen</span></p>
<script>
var memo = document.getElementById("memo");
memo.focus();
memo.setSelectionRange(0, 5);
check(document.selection.type == "Text", "type " + document.selection.type);
var r = document.selection.createRange();
check(r.text == "sunny", "the field's selection '" + r.text + "'");
r.text = "bright";
check(memo.value == "bright flat, two rooms", "replaced: " + memo.value);
memo.setSelectionRange(3, 3);
var caret = document.selection.createRange();
caret.moveStart("character", -memo.value.length);
check(caret.text.length == 3, "caret at " + caret.text.length);
memo.blur();
var range = document.createRange();
range.selectNodeContents(document.getElementById("s"));
getSelection().removeAllRanges();
getSelection().addRange(range);
check(document.selection.createRange().text == "new kitchen", "the page's selection");
pass();
</script></body></html>)HTML"},
    {.name = "clipboardSetData", .html = HEAD GB2312 R"HTML(</head><body>
<script>
check(window.clipboardData.setData("Text", "房源编号 A-1024"), "setData");
pass();
</script></body></html>)HTML",
     .clipboardBefore = "",
     .clipboardAfter = "房源编号 A-1024"},
    {.name = "clipboardGetDataAsksFirst", .html = HEAD GB2312 R"HTML(</head><body>
<script>
var text = window.clipboardData.getData("Text");
check(text == "客户电话 13800138000", "read: " + text);
pass();
</script></body></html>)HTML",
     .calls = {"clipboardAllowed"},
     .clipboardBefore = "客户电话 13800138000"},
    {.name = "clipboardGetDataRefused", .html = HEAD R"HTML(</head><body>
<script>
check(window.clipboardData.getData("Text") === null, "read without leave");
pass();
</script></body></html>)HTML",
     .calls = {"clipboardAllowed"},
     .clipboardBefore = "secret",
     .allowClipboard = false},

    // ---- style
    {.name = "currentStyle", .html = HEAD R"HTML(
<style>.tag { color: #ff0000; display: inline; }</style></head><body>
<span id="s" class="tag">x</span>
<script>
var cs = document.getElementById("s").currentStyle;
check(cs.display == "inline", "display " + cs.display);
check(cs.color == "rgb(255, 0, 0)" && cs.getAttribute("display") == "inline", "color " + cs.color);
pass();
</script></body></html>)HTML"},
    {.name = "filterAlphaOpacity", .html = HEAD R"HTML(
<style>.dim { filter: alpha(opacity=40); }</style>
<link rel="stylesheet" href="/legacy/old.css"></head><body>
<div id="a" class="dim">a</div>
<div id="b" style="filter:alpha(opacity=25)">b</div>
<div id="c">c</div>
<div id="d" class="faded">d</div>
<script>
function opacity(id) { return parseFloat(getComputedStyle(document.getElementById(id)).opacity); }
check(opacity("a") == 0.4, "a style sheet: " + opacity("a"));
window.onload = function () {
check(opacity("b") == 0.25, "a style attribute: " + opacity("b"));
var c = document.getElementById("c");
c.style.filter = "alpha(opacity=60)";
check(opacity("c") == 0.6 && c.style.filter == "alpha(opacity=60)", "script: " + opacity("c"));
check(c.filters.alpha.opacity == 60, "filters.alpha.opacity");
c.filters.alpha.opacity = 10;
check(opacity("c") == 0.1, "filters.alpha.opacity = 10");
var tries = 0;
(function linked() {
  if (opacity("d") == 0.5) pass();
  else if (++tries < 80) setTimeout(linked, 50);
  else report("FAIL: a linked style sheet: " + opacity("d"));
})();
};
</script></body></html>)HTML"},
    {.name = "cssExpression", .html = HEAD R"HTML(
<style>#half { width: expression(document.body.clientWidth / 2 + "px"); height: 10px; }</style></head>
<body style="margin:0"><div id="half"></div>
<script>
window.onload = function () {
  var w = document.getElementById("half").offsetWidth, body = document.body.clientWidth;
  check(Math.abs(w - body / 2) <= 1, "width " + w + " of " + body);
  pass();
};
</script></body></html>)HTML"},
    {.name = "quirksBoxModel", .html = HEAD R"HTML(</head><body>
<div id="box" style="width:100px;padding:10px;border:5px solid #000">x</div>
<script>
check(document.compatMode == "BackCompat", "quirks mode");
var w = document.getElementById("box").offsetWidth;
check(w == 100, "offsetWidth " + w);
pass();
</script></body></html>)HTML"},
    {.name = "conditionalComments", .html = HEAD R"HTML(
<!--[if IE]><script>var ie = true;</script><![endif]-->
<!--[if lt IE 7]><script>var ie6 = true;</script><![endif]-->
<!--[if gte IE 5.5]><script src="/legacy/iefix.js"></script><![endif]-->
<!--[if IE 7]><style>#box { width: 77px; }</style><![endif]-->
</head><body>
<![if !IE]><p id="other">Other browsers</p><![endif]>
<div id="box"></div>
<script>
check(window.ie === true, "[if IE]");
check(!window.ie6, "[if lt IE 7]");
check(window.ieFix === 5, "[if gte IE 5.5] script, in order");
check(document.getElementById("box").offsetWidth == 77, "[if IE 7] style");
check(!document.getElementById("other"), "<![if !IE]> hidden");
pass();
</script></body></html>)HTML"},

    // ---- XML
    {.name = "xmlDataIsland", .html = HEAD R"HTML(</head><body>
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
</script></body></html>)HTML"},
    {.name = "ActiveXXmlHttp", .html = HEAD R"HTML(</head><body>
<script>
var http = new ActiveXObject("Microsoft.XMLHTTP");
http.open("GET", "/legacy/count.asp?id=1", false);
http.send();
check(http.status == 200 && http.responseText == "42", "synchronous: " + http.responseText);
var later = new ActiveXObject("Msxml2.XMLHTTP");
later.onreadystatechange = function () {
  if (later.readyState == 4) { check(later.responseText == "42", "asynchronous"); pass(); }
};
later.open("GET", "/legacy/count.asp?id=2", true);
later.send(null);
</script></body></html>)HTML"},
    {.name = "ActiveXXmlDom", .html = HEAD GB2312 R"HTML(</head><body>
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
</script></body></html>)HTML"},
    {.name = "transformNode", .html = HEAD GB2312 R"HTML(</head><body>
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
</script></body></html>)HTML"},
    {.name = "scriptingDictionary", .html = HEAD R"HTML(</head><body>
<form><input name="a"><input name="b"></form>
<script>
var d = new ActiveXObject("Scripting.Dictionary");
d.Add("bj", "Beijing");
d.Add("sh", "Shanghai");
check(d.Exists("bj") && d.Count == 2 && d.Item("sh") == "Shanghai", "the dictionary");
check(new VBArray(d.Keys()).toArray().join() == "bj,sh", "Keys()");
var seen = [];
for (var e = new Enumerator(document.forms[0].elements); !e.atEnd(); e.moveNext()) seen.push(e.item().name);
check(seen.join() == "a,b", "Enumerator " + seen.join());
pass();
</script></body></html>)HTML"},

    // ---- dialogs
    {.name = "showModalDialog", .html = HEAD R"HTML(</head><body><input id="district">
<script>
var picked = window.showModalDialog("/legacy/picker.asp", {district: "东城区", n: 2}, "dialogWidth:320px;dialogHeight:200px");
check(picked && picked.district == "东城区" && picked.nested == 4, "returned " + JSON.stringify(picked));
document.getElementById("district").value = picked.district;
pass();
</script></body></html>)HTML"},
    {.name = "showModalDialogClosedByTheUser", .html = HEAD DIALOG_BUTTON R"HTML(
function go() {
  var seen = window.showModalDialog("details.asp", null, "dialogWidth:320px;dialogHeight:200px;resizable:no");
  check(seen == "已看", "returned " + seen);
  pass();
}
</script></body></html>)HTML",
     .act = CloseDialog({320, 200}, "房源详情", true)},
    {.name = "showModalDialogThatNeverLoads", .html = HEAD DIALOG_BUTTON R"HTML(
function go() {
  check(window.showModalDialog("http://127.0.0.1:1/", 1) === undefined, "a value from nowhere");
  pass();
}
</script></body></html>)HTML",
     .act = CloseDialog({400, 300}, QString(), true)},
    {.name = "showModelessDialog", .html = HEAD DIALOG_BUTTON R"HTML(
function go() {
  window.showModelessDialog("details.asp", null, "dialogWidth:250px;dialogHeight:150px;resizable:yes");
  pass();
}
</script></body></html>)HTML",
     .act = CloseDialog({250, 150}, "房源详情", false)},

    // ---- encoding: a page, a script, a style sheet of the server without a charset
    {.name = "gbkWithoutCharset", .html = R"HTML(<html><head><script src="/check.js"></script>
<script src="/legacy/districts.js"></script><title>House list</title></head><body>
<form action=save.asp method=post><input name=a value=1><input type=submit value=OK></form><p>Total: 12</p><p id="p">价格</p><script>
check(document.characterSet == "GBK", document.characterSet);
check(document.getElementById("p").innerText == "\u4ef7\u683c", "the page's text");
check(district == "\u4e1c\u57ce\u533a", "the script's text");
pass();
</script></body></html>)HTML"},

    // ---- printing
    {.name = "ExecWB", .html = HEAD R"HTML(</head><body>
<object id="WB" classid="CLSID:8856F961-340A-11D0-A96B-00C04FD705A2" width="0" height="0"></object>
<script>
WB.ExecWB(7, 1);
WB.ExecWB(6, 1);
WB.ExecWB(8, 1);
pass();
</script></body></html>)HTML",
     .calls = {"print:preview", "print:print", "print:setup"}},
    {.name = "ScriptXPrinting", .html = HEAD R"HTML(</head><body>
<object id="factory" style="display:none" classid="clsid:1663ed61-23eb-11d2-b92f-008048fdd814"></object>
<script>
factory.printing.header = "";
factory.printing.footer = "";
factory.printing.portrait = false;
factory.printing.Preview();
factory.printing.Print(true);
factory.printing.PageSetup();
pass();
</script></body></html>)HTML",
     .calls = {"print:preview", "print:print", "print:setup"}},

    // ---- what cannot run is named
    {.name = "VBScriptIsNamed", .html = HEAD R"HTML(
<script language="VBScript">
Sub Window_OnLoad
  MsgBox "欢迎"
End Sub
</script></head><body>
<script>pass();</script>
</body></html>)HTML",
     .calls = {"notice:VBScript"}},
    {.name = "HtcBehaviourIsNamed", .html = HEAD R"HTML(</head><body>
<div style="behavior: url(/legacy/menu.htc)">菜单</div>
<script>pass();</script>
</body></html>)HTML",
     .calls = {"notice:HTC 行为 (behavior)"}},
    {.name = "UnknownActiveXIsNamed", .html = HEAD R"HTML(</head><body>
<script>
var failed = null;
try { new ActiveXObject("Excel.Application"); } catch (e) { failed = e; }
check(failed && failed.number == -2146827859, "the Automation error " + (failed && failed.number));
pass();
</script></body></html>)HTML",
     .calls = {"notice:ActiveX 控件 Excel.Application"}},
    {.name = "ActiveXControlIsNamed", .html = HEAD R"HTML(</head><body>
<object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" width="100" height="50">
<param name="movie" value="/legacy/banner.swf"></object>
<script>pass();</script>
</body></html>)HTML",
     .calls = {"notice:ActiveX 控件 ShockwaveFlash.ShockwaveFlash"}},

    // ---- pages of today: the same with and without the layer
    {.name = "modernListenersFirst", .html = HEAD R"HTML(</head><body>
<button id="b">b</button>
<script>
function on(el, type, fn) { if (el.addEventListener) el.addEventListener(type, fn, false); else el.attachEvent("on" + type, fn); }
var b = document.getElementById("b"), hits = 0;
on(b, "click", function (e) { hits++; check(e && e.target == b && this == b, "the event and this"); });
b.click();
check(hits == 1, "hits " + hits);
pass();
</script></body></html>)HTML",
     .modern = true},
    {.name = "modernIeFirstXml", .html = HEAD R"HTML(</head><body>
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
</script></body></html>)HTML",
     .modern = true},
    {.name = "modernCollectionsAndStyles", .html = HEAD R"HTML(
<style>#t { color: green; }</style></head><body>
<form><input name="a"><input name="b"><select name="s"><option>1</option><option>2</option></select>
<input type="hidden" name="text" value="t"><input type="hidden" name="all" value="x"></form>
<ul id="list"><li>1</li><li>2</li><li>3</li></ul>
<p id="t">t</p>
<script>
var el = document.getElementById("t");
var color = document.all ? el.currentStyle.color : getComputedStyle(el, null).color;
check(color == "rgb(0, 128, 0)", "color " + color);
var form = document.forms[0];
check(document.forms === document.forms && form.elements === form.elements, "the same collection each time");
check(document.forms instanceof HTMLCollection && form.elements instanceof HTMLFormControlsCollection, "instanceof");
check(Object.prototype.toString.call(form.elements) == "[object HTMLFormControlsCollection]", "toString");
check(form.text.value == "t" && form.all.value == "x", "a form's fields by name");
check(Array.prototype.slice.call(form.elements).length == 5 && Array.from(document.getElementById("list").children).length == 3, "array-like");
var names = [];
for (var field of form.elements) names.push(field.name);
check(names.join() == "a,b,s,text,all", "iterable: " + names.join());
check(form.elements.item(1).name == "b" && form.elements.namedItem("a").name == "a", "item and namedItem");
form.s.options.length = 0;
check(form.s.options.length == 0, "options cleared");
var style = document.getElementById("list").style;
style.filter = "blur(1px)";
check(style.filter == "blur(1px)" && getComputedStyle(document.getElementById("list")).filter == "blur(1px)", "filter " + style.filter);
check(document.getElementById("missing") === null && document.createElement("div").tagName == "DIV", "lookups");
var key = new KeyboardEvent("keydown", {keyCode: 13});
check(key.keyCode == 13, "keyCode");
pass();
</script></body></html>)HTML",
     .modern = true},
    {.name = "modernXhrAndEvents", .html = "<!DOCTYPE html>" HEAD R"HTML(</head><body>
<div id="box" style="width:100px;padding:10px">x</div>
<script>
var box = document.getElementById("box");
check(box.offsetWidth == 120, "a standards-mode box " + box.offsetWidth);
var xhr = window.XMLHttpRequest ? new XMLHttpRequest() : new ActiveXObject("Microsoft.XMLHTTP");
xhr.onload = function () {
  check(xhr.responseText == "42" && xhr.responseXML === null, "a text response");
  var e = document.createEvent("Event");
  e.initEvent("change", true, true);
  var seen = false;
  box.addEventListener("change", function (ev) { seen = ev === e; });
  box.dispatchEvent(e);
  check(seen, "a dispatched event");
  pass();
};
xhr.open("GET", "/legacy/count.asp");
xhr.send();
</script></body></html>)HTML",
     .modern = true},
};

class LegacyPageTest : public ::testing::TestWithParam<Page> {
protected:
    static void SetUpTestSuite() { WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser"))); }
    static void TearDownTestSuite() { WebBrowser::ReleaseProfile(); }

    LegacyPageTest() {
        for (const Resource& r : kResources) server.Route(r.path, {Gbk(r.body), {{"Content-Type", r.type}}});
        for (const Page& page : kPages) server.Route(Path(page), {Gbk(page.html), {{"Content-Type", "text/html"}}});
    }
    ~LegacyPageTest() override {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<BrowserWindow*>(widget)) delete window;
    }
    static QString Path(const Page& page) { return QStringLiteral("/legacy/%1.asp").arg(page.name); }

    // Opens the page in a new browser with the layer or without; its verdict,
    // and whether it asked the program what it must have asked.
    // A page is asked for once: the layer never asks the server again for it.
    std::string Run(const Page& page, bool layer) {
        const int before = server.CountRequests(Path(page));
        const std::string verdict = Verdict(page, layer).toStdString();
        EXPECT_EQ(server.CountRequests(Path(page)), before + 1) << "requests of the page";
        return verdict;
    }
    QString Verdict(const Page& page, bool layer) {
        Layer::Install(layer, page.allowClipboard);
        if (page.clipboardBefore) QGuiApplication::clipboard()->setText(QString::fromUtf8(page.clipboardBefore));
        WebBrowser view;
        view.resize(800, 600);
        view.show();
        view.activateWindow();
        view.setFocus();  // a user's keys go to the page's focused field
        bool loaded = false;
        QObject::connect(&view, &QWebEngineView::loadFinished, &view, [&] { loaded = true; });
        view.Navigate(server.Url(Path(page)));
        WaitUntil([&] { return loaded; });
        if (page.act) {
            // The browser takes a user's input once the page has painted.
            WaitUntil([&] {
                return Js(view, QStringLiteral("performance.getEntriesByName('first-contentful-paint').length")).toInt() > 0;
            });
            page.act(view);
        }
        const auto verdict = [&] { return view.title() == "PASS" || view.title().startsWith("FAIL"); };
        if (!WaitUntil(verdict, 10000)) return QStringLiteral("no verdict: ") + view.title();
        if (view.title() != "PASS") return view.title();
        QStringList calls;
        const auto asked = [&] {
            calls = Layer::ProgramCalls(view);
            for (const QString& call : page.calls)
                if (!calls.contains(call)) return false;
            return true;
        };
        if (!page.calls.isEmpty() && !WaitUntil(asked, 5000))
            return QStringLiteral("asked the program: ") + calls.join(", ");
        if (page.clipboardAfter && QGuiApplication::clipboard()->text() != QString::fromUtf8(page.clipboardAfter))
            return QStringLiteral("the clipboard holds: ") + QGuiApplication::clipboard()->text();
        return view.title();
    }

    static inline test::TempDir profiles;
    TestHttpServer server;
    test::MessageRecorder messages;  // alerts of pages, should any fail that way
};

TEST_P(LegacyPageTest, PassesWithTheLayerOnly) {
    const Page& page = GetParam();
    EXPECT_EQ(Run(page, true), "PASS");
    if (page.modern)
        EXPECT_EQ(Run(page, false), "PASS") << "a page of today behaves the same without the layer";
    else
        EXPECT_NE(Run(page, false), "PASS") << "the page passes without the layer: it does not test it";
}

// The layer is the agency server's alone: the same page by another of the
// server's names is shown as a modern browser shows it, as it was sent.
TEST_F(LegacyPageTest, OnlyTheServersHostGetsTheLayer) {
    Layer::Install(true, true);
    // Chromium takes these few Chinese characters for Korean unless told.
    server.Route("/legacy/who.asp",
                 {Gbk("<html><head><title>House list</title></head><body><form action=save.asp method=post>"
                      "<input name=a value=1><input type=submit value=OK></form><p>Total: 12</p>价格</body></html>"),
                  {{"Content-Type", "text/html"}}});
    for (const auto& [host, layer] : {std::pair{"127.0.0.1", true}, {"localhost", false}}) {
        SCOPED_TRACE(host);
        WebBrowser view;
        bool loaded = false;
        QObject::connect(&view, &QWebEngineView::loadFinished, &view, [&] { loaded = true; });
        view.Navigate(server.Url(QStringLiteral("/legacy/who.asp")).replace(QStringLiteral("127.0.0.1"), host));
        ASSERT_TRUE(WaitUntil([&] { return loaded; }));
        EXPECT_EQ(Js(view, QStringLiteral("navigator.appName")).toString() == "Microsoft Internet Explorer", layer);
        EXPECT_EQ(Js(view, QStringLiteral("typeof document.attachEvent")).toString() == "function", layer);
        EXPECT_EQ(Js(view, QStringLiteral("document.body.innerText.indexOf('\\u4ef7\\u683c') >= 0")).toBool(), layer);
        EXPECT_EQ(server.Requests("/legacy/who.asp").last().headers.value("user-agent").contains("MSIE"), layer);
    }
}

// A caller gone while its dialog is open takes the dialog along, nothing more.
TEST_F(LegacyPageTest, ClosingTheCallerWithItsDialogOpen) {
    Layer::Install(true, true);
    server.Route("/legacy/caller.asp", {Gbk(HEAD DIALOG_BUTTON "function go() { showModalDialog('details.asp'); }</script>"),
                                        {{"Content-Type", "text/html"}}});
    auto view = std::make_unique<WebBrowser>();
    view->resize(400, 300);
    view->show();
    bool loaded = false;
    QObject::connect(view.get(), &QWebEngineView::loadFinished, view.get(), [&] { loaded = true; });
    view->Navigate(server.Url(QStringLiteral("/legacy/caller.asp")));
    ASSERT_TRUE(WaitUntil([&] { return loaded; }));
    WaitUntil([&] { return Js(*view, QStringLiteral("performance.getEntriesByName('first-contentful-paint').length")).toInt() > 0; });
    Click(*view, QPoint(100, 40));
    const auto dialogs = [] {
        int n = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) n += qobject_cast<LegacyDialog*>(widget) != nullptr;
        return n;
    };
    ASSERT_TRUE(WaitUntil([&] { return dialogs() == 1; }));
    view.reset();
    EXPECT_TRUE(WaitUntil([&] { return dialogs() == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Pages, LegacyPageTest, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumaro
