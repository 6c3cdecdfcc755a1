// What the layer for old pages lets a page reach, tried as a hostile page
// would: the layer, its scheme and the pages the proxy keeps belong to the
// agency server's origin alone; a dialog shows web pages only; a redirect
// never reaches the program; the clipboard is read only after the user said
// yes, and never by a frame of another site. Two servers on 127.0.0.1 play the
// agency's server and another site (another service on the same machine).
#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/LayerTestKit.h"
#include "gui/TestHttpServer.h"
#include "platform/Platform.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CharsetProxy.h"
#include "shell/browser/compat/CompatLayer.h"
#include "shell/browser/compat/LegacyDialog.h"
#include "shell/browser/compat/NoticeBar.h"

namespace lumaro {
namespace {

using test::Js;
using test::LayerProgram;
using test::OpenLegacyDialogs;
using test::TestHttpServer;
using test::WaitUntil;

// The agency's server under a Chinese name, resolved by the engine's rules (and the proxy's, which follows them).
const QString kChineseHost = QStringLiteral("房产.cn");

// A page as an old server sent it: GBK, no charset.
TestHttpServer::Response OldPage(const QString& html) {
    return {QByteArray::fromStdString(platform::ToAnsi(html.toStdString())), {{"Content-Type", "text/html"}}};
}

// The verdict a page gives in its title.
const char* const kVerdict = R"(
<script>
function report(text) { if (document.title.indexOf('DONE') != 0) document.title = 'DONE ' + text; }
window.onerror = function (message) { report('error: ' + message); };
</script>)";

class LayerReachTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Before the engine starts: the Chinese name leads to 127.0.0.1.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") +
                                                  " --host-resolver-rules=\"MAP xn--wlq909b.cn 127.0.0.1\"");
        WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser")));
    }
    static void TearDownTestSuite() { WebBrowser::ReleaseProfile(); }

    LayerReachTest() { LayerProgram::Install(true, {agency.Url(QString())}); }

    // The page's verdict once it has given one.
    static QString Verdict(WebBrowser& view) {
        WaitUntil([&] { return view.title().startsWith(QLatin1String("DONE")); }, 20000);
        return view.title();
    }
    std::unique_ptr<WebBrowser> Show(const QUrl& url) {
        auto view = std::make_unique<WebBrowser>();
        view->resize(800, 600);
        view->show();
        EXPECT_TRUE(test::OpenPage(*view, url, false)) << url.toString().toStdString();
        return view;
    }

    static inline test::TempDir profiles;
    TestHttpServer agency;
    TestHttpServer other;  // another site: another port of the same machine
    test::MessageRecorder messages;
};

// The layer, and with it the program's scheme, the IE identity and the GBK
// label, go to the origin the connection opened, whatever its name looks like;
// another name or another port of the same machine is another site.
TEST_F(LayerReachTest, OnlyTheServersOriginGetsTheLayer) {
    // Few Chinese characters: Chromium takes them for Korean unless told GBK.
    const auto page = OldPage(QStringLiteral("<html><body><p>价格</p><p>Price list</p></body></html>"));
    agency.Route("/House/who.asp", page);
    other.Route("/House/who.asp", page);
    const auto on = [](const TestHttpServer& server, const QString& host) {
        return QUrl(server.Url(QStringLiteral("/House/who.asp")).replace(QStringLiteral("127.0.0.1"), host));
    };
    const struct {
        const char* name;
        QUrl server;  // the address the connection opened
        TestHttpServer& serving;
        QString host;
        bool layer;
    } rows[] = {
        {"the server", on(agency, "127.0.0.1"), agency, "127.0.0.1", true},
        {"another name of it", on(agency, "127.0.0.1"), agency, "localhost", false},
        {"another port of it", on(agency, "127.0.0.1"), other, "127.0.0.1", false},
        {"a server named in Chinese", on(agency, kChineseHost), agency, kChineseHost, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CompatLayer::Configure(true, {});
        CompatLayer::SetServer(row.server);
        const int before = row.serving.CountRequests("/House/who.asp");
        auto view = Show(on(row.serving, row.host));
        EXPECT_EQ(Js(*view, QStringLiteral("navigator.appName")).toString() == "Microsoft Internet Explorer", row.layer);
        EXPECT_EQ(Js(*view, QStringLiteral("typeof document.attachEvent")).toString() == "function", row.layer);
        EXPECT_EQ(Js(*view, QStringLiteral("document.body.innerText.indexOf('\\u4ef7\\u683c') >= 0")).toBool(), row.layer);
        const QList<TestHttpServer::Request> requests = row.serving.Requests("/House/who.asp");
        ASSERT_EQ(requests.size(), before + 1);
        EXPECT_EQ(requests.last().headers.value("user-agent").contains("MSIE"), row.layer);
    }
}

// A page of another site never reads what the proxy keeps of the agency's
// pages, nor calls the program, even on the same machine.
TEST_F(LayerReachTest, AnotherSiteReadsNoStoredPage) {
    agency.Route("/House/island.asp",
                 OldPage(QStringLiteral("<html><body><xml id=\"secret\"><客户>王先生 13800138000</客户></xml></body></html>")));
    other.Route("/steal.asp", OldPage(QStringLiteral("<html><body>别的网站</body></html>")));
    auto view = Show(QUrl(agency.Url(QStringLiteral("/House/island.asp"))));  // now the proxy keeps it
    ASSERT_EQ(Js(*view, QStringLiteral("typeof window.__lumaroIE")).toString(), "object");
    // What the layer's own call would be; another site can only guess the page and the token.
    auto thief = Show(QUrl(other.Url(QStringLiteral("/steal.asp"))));
    EXPECT_EQ(Js(*thief, QStringLiteral("typeof window.__lumaroIE")).toString(), "undefined");
    const QString steal = QStringLiteral(
        "(function () { var got = [];"
        "  for (var page = 0; page < 64; page++) { var r = new XMLHttpRequest();"
        "    try { r.open('GET', 'lumaro-ie://program/source?page=' + page + '&token=&charset=GBK&url=' +"
        "      encodeURIComponent('%1'), false); r.send(); got.push(r.responseText); } catch (e) {} }"
        "  return got.join(''); })()").arg(agency.Url(QStringLiteral("/House/island.asp")));
    EXPECT_FALSE(Js(*thief, steal).toString().contains(QStringLiteral("13800138000")));
}

// A dialog shows a web page, as the old control's did: a local file, the
// program's scheme, resources of the program and made-up script are refused
// with "拒绝访问。"; a page of another site opens as any other site.
TEST_F(LayerReachTest, DialogsShowWebPagesOnly) {
    const test::TempDir folder;
    const std::string local = folder.file("local.html");
    test::WriteBytes(local, "<script>opener = 1; document.title = 'local file';</script>");
    other.Route("/tool.asp", OldPage(QStringLiteral("<title>别的网站</title>")));
    agency.Route("/House/dialogs.asp", OldPage(QString::fromUtf8(kVerdict) + QStringLiteral(R"(
<script>
var refused = [], opened = [];
var addresses = ['file://%1', 'qrc:/compat/js/bridge.js', 'lumaro-ie://program/notice?feature=x',
                 'data:text/html,<script>document.title=1</scr' + 'ipt>', 'javascript:alert(1)'];
for (var i = 0; i < addresses.length; i++) {
  try { window.showModalDialog(addresses[i]); opened.push(addresses[i]); }
  catch (e) { if (e.message == '拒绝访问。') refused.push(addresses[i]); else opened.push(e.message); }
}
window.showModelessDialog('%2');
report(refused.length == addresses.length ? 'refused all' : 'opened ' + opened.join(' | '));
</script>)").arg(QString::fromStdString(local), other.Url(QStringLiteral("/tool.asp")))));
    auto view = Show(QUrl(agency.Url(QStringLiteral("/House/dialogs.asp"))));
    EXPECT_EQ(Verdict(*view), "DONE refused all");
    // The one web address opened, showing the other site's page.
    ASSERT_TRUE(WaitUntil([] { return OpenLegacyDialogs() == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return other.CountRequests("/tool.asp") == 1; }));
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("lumaro::LegacyDialog")) widget->close();
    EXPECT_TRUE(WaitUntil([] { return OpenLegacyDialogs() == 0; }));
}

// A dialog of another site than its caller's gets nothing of the caller, as
// the old control refused cross-domain access: not the arguments, not the
// window it was opened from, directly or by a redirect of the caller's server,
// modal or modeless; the caller's form stays as it was.
TEST_F(LayerReachTest, DialogsOfAnotherSiteGetNothingOfTheCaller) {
    LayerProgram::Install(true, {agency.Url(QString()), other.Url(QString())});  // both get the layer
    other.Route("/tool.asp", OldPage(QStringLiteral(R"(<script>
var got = typeof window.dialogArguments, wrote = [];
try { window.dialogArguments.document.form1.area.value = '别的网站'; wrote.push('dialogArguments'); } catch (e) {}
try { window.opener.document.form1.area.value = '别的网站'; wrote.push('opener'); } catch (e) {}
document.title = 'got ' + got + ', wrote ' + (wrote.join() || 'nothing');
window.returnValue = document.title;
if (location.search == '?modal') window.close();
</script>)")));
    agency.Route("/House/jump.asp", {QByteArray(), {{"Location", other.Url(QStringLiteral("/tool.asp?modal")).toUtf8()}}, 302});
    const QString caller = QString::fromUtf8(kVerdict) + QStringLiteral(R"(
<form name="form1"><input name="area" value="原值"></form><script>
var back = window.%1('%2', %3, 'dialogWidth:200px;dialogHeight:100px');
report((back === undefined ? 'undefined' : back) + '; field ' + document.form1.area.value);
</script>)");
    const struct {
        const char* name;
        const char* open;
        QString url;
        const char* arguments;
        const char* verdict;
    } rows[] = {
        {"modal", "showModalDialog", other.Url(QStringLiteral("/tool.asp?modal")), "window",
         "DONE got undefined, wrote nothing; field 原值"},
        {"plain data", "showModalDialog", other.Url(QStringLiteral("/tool.asp?modal")), "{note: '客户电话 13800138000'}",
         "DONE got undefined, wrote nothing; field 原值"},
        {"redirected", "showModalDialog", agency.Url(QStringLiteral("/House/jump.asp")), "window",
         "DONE got undefined, wrote nothing; field 原值"},
        {"modeless", "showModelessDialog", other.Url(QStringLiteral("/tool.asp")), "window",
         "DONE undefined; field 原值"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        agency.Route("/House/caller.asp",
                     OldPage(caller.arg(QLatin1String(row.open), row.url, QString::fromUtf8(row.arguments))));
        auto view = Show(QUrl(agency.Url(QStringLiteral("/House/caller.asp"))));
        EXPECT_EQ(Verdict(*view).toStdString(), row.verdict);
        if (QLatin1String(row.open) != QLatin1String("showModelessDialog")) continue;
        // The modeless one stays open, its caption saying what it got.
        LegacyDialog* dialog = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if ((dialog = qobject_cast<LegacyDialog*>(widget)) && dialog->windowTitle().startsWith("got")) return true;
            return false;
        }));
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle().toStdString(), "got undefined, wrote nothing");
        EXPECT_EQ(Js(*view, QStringLiteral("document.form1.area.value")).toString().toStdString(), "原值");
        dialog->close();
        EXPECT_TRUE(WaitUntil([] { return OpenLegacyDialogs() == 0; }));
    }
}

// A page cannot put its dialog out of the user's reach: size and place stay
// within the screen, also when the dialog's page moves itself.
TEST_F(LayerReachTest, DialogsStayOnTheScreen) {
    agency.Route("/House/tool.asp", OldPage(QStringLiteral(
        "<title>工具</title><script>window.dialogLeft = '99999px'; window.dialogTop = '-99999px';"
        " window.dialogWidth = '99999px'; document.title = 'moved';</script>")));
    agency.Route("/House/opener.asp", OldPage(QStringLiteral(
        "<script>window.showModelessDialog('tool.asp', null,"
        " 'dialogLeft:-5000px;dialogTop:-5000px;dialogWidth:20000px;dialogHeight:20000px');</script>")));
    auto view = Show(QUrl(agency.Url(QStringLiteral("/House/opener.asp"))));
    LegacyDialog* dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if ((dialog = qobject_cast<LegacyDialog*>(widget)) && dialog->windowTitle() == "moved") return true;
        return false;
    }));
    const QRect screen = dialog->screen()->availableGeometry();
    const QRect frame = dialog->frameGeometry();
    EXPECT_TRUE(screen.contains(frame)) << frame.width() << "x" << frame.height() << " at " << frame.x() << ","
                                        << frame.y() << " on " << screen.width() << "x" << screen.height();
    dialog->close();
    EXPECT_TRUE(WaitUntil([] { return OpenLegacyDialogs() == 0; }));
}

// Another site's server inside an agency page answers with redirects to the
// program's scheme: an image, a frame, a request of the page's own, and the
// page's own image of the scheme; none of them reaches the program.
TEST_F(LayerReachTest, RedirectsNeverReachTheProgram) {
    agency.Route("/House/details.asp", OldPage(QStringLiteral("<title>房源详情</title>")));
    const QString dialog = agency.Url(QStringLiteral("/House/details.asp"));
    for (int page = 0; page <= 3; ++page)
        other.Route(QStringLiteral("/r%1").arg(page),
                    {QByteArray(), {{"Location", QStringLiteral("lumaro-ie://program/dialog?page=%1&modal=0&url=%2")
                                                     .arg(page).arg(QString::fromLatin1(QUrl::toPercentEncoding(dialog)))
                                                     .toUtf8()},
                                    {"Access-Control-Allow-Origin", "*"}}, 302});
    other.Route("/n", {QByteArray(), {{"Location", "lumaro-ie://program/notice?page=1&feature=hijacked"}}, 302});
    agency.Route("/House/host.asp", OldPage(QString::fromUtf8(kVerdict) + QStringLiteral(R"(
<body><script>
var other = '%1', waiting = 0;
function done() { if (--waiting == 0) report('all answered'); }
function image(src) { waiting++; var i = new Image(); i.onload = i.onerror = done; i.src = src; }
function frame(src) { waiting++; var f = document.createElement('iframe'); f.onload = done; f.src = src; document.body.appendChild(f); }
for (var p = 0; p <= 3; p++) { image(other + '/r' + p); frame(other + '/r' + p); }
image(other + '/n');
image('lumaro-ie://program/notice?page=1&feature=own-image');
waiting++;
try { var x = new XMLHttpRequest(); x.open('GET', other + '/r1', false); x.send(); } catch (e) {}
fetch(other + '/r2').then(done, done);
</script></body>)").arg(other.Url(QString()))));
    auto view = Show(QUrl(agency.Url(QStringLiteral("/House/host.asp"))));
    EXPECT_EQ(Verdict(*view), "DONE all answered");
    EXPECT_EQ(OpenLegacyDialogs(), 0);
    EXPECT_EQ(agency.CountRequests("/House/details.asp"), 0);
    EXPECT_FALSE(NoticeBar::For(view.get())->isVisible());
}

// Reading the clipboard, by any of the old or today's ways, asks the user
// first, once for the page's origin; a frame of another site in the page is
// never asked for and reads nothing.
TEST_F(LayerReachTest, ClipboardReadsAskFirst) {
    other.Route("/frame.asp", TestHttpServer::Html(QStringLiteral(R"(
<textarea id="box"></textarea><script>
var got = [];
document.addEventListener('paste', function (e) { got.push('event:' + e.clipboardData.getData('text/plain')); });
document.getElementById('box').focus();
if (document.execCommand('paste')) got.push('execCommand');
if (document.getElementById('box').value) got.push('box:' + document.getElementById('box').value);
navigator.clipboard.readText().then(function (t) { got.push('readText:' + t); }, function () {})
  .then(function () { parent.postMessage('frame read ' + (got.join(',') || 'nothing'), '*'); });
</script>)")));
    agency.Route("/House/paste.asp", OldPage(QString::fromUtf8(kVerdict) + QStringLiteral(R"(
<body><textarea id="box"></textarea><script>
var got = [];
document.getElementById('box').focus();
document.execCommand('paste');
got.push('execCommand:' + document.getElementById('box').value);
got.push('clipboardData:' + window.clipboardData.getData('Text'));
navigator.clipboard.readText().then(function (t) { return t; }, function () { return 'denied'; }).then(function (t) {
  got.push('readText:' + t);
  window.onmessage = function (e) { report(got.join(',') + '; ' + e.data); };
  var f = document.createElement('iframe');
  f.allow = 'clipboard-read; clipboard-write';
  f.src = '%1';
  document.body.appendChild(f);
});
</script></body>)").arg(other.Url(QStringLiteral("/frame.asp")))));
    const struct {
        bool allow;
        const char* verdict;
    } rows[] = {
        {true, "DONE execCommand:客户电话,clipboardData:客户电话,readText:客户电话; frame read nothing"},
        {false, "DONE execCommand:,clipboardData:null,readText:denied; frame read nothing"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.allow);
        LayerProgram::Install(true, {agency.Url(QString())}, row.allow);
        QGuiApplication::clipboard()->setText(QStringLiteral("客户电话"));
        auto view = Show(QUrl(agency.Url(QStringLiteral("/House/paste.asp"))));
        EXPECT_EQ(Verdict(*view).toStdString(), row.verdict);
        EXPECT_EQ(LayerProgram::Calls(*view), QStringList{QStringLiteral("clipboardAllowed")});
    }
}

// Connections that never finish their request are dropped after a while, and
// the oldest of too many at once: nobody holds the proxy's connections.
TEST_F(LayerReachTest, TheProxyDropsUnfinishedRequests) {
    WebBrowser::ProgramProfile();
    ASSERT_NE(CharsetProxy::Port(), 0);
    std::vector<std::unique_ptr<QTcpSocket>> senders;
    const auto send = [&](int n) {
        for (int i = 0; i < n; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            socket->connectToHost(QHostAddress::LocalHost, CharsetProxy::Port());
            socket->write("GET " + agency.Url(QStringLiteral("/")).toLatin1() + " HTTP/1.1\r\nHost: x\r\n");
            senders.push_back(std::move(socket));
        }
    };
    const auto dropped = [&](size_t from, size_t to) {
        size_t n = 0;
        for (size_t i = from; i < to; ++i) n += senders[i]->state() == QAbstractSocket::UnconnectedState;
        return n;
    };
    CharsetProxy::SetRequestLimits(std::chrono::minutes(10), 64);
    send(300);
    EXPECT_TRUE(WaitUntil([&] { return dropped(0, 300) >= 236; }, 60000)) << dropped(0, 300) << " dropped";
    EXPECT_EQ(dropped(0, 300), 236u) << "as many as the bound are kept";
    CharsetProxy::SetRequestLimits(std::chrono::milliseconds(200), 64);
    send(5);
    EXPECT_TRUE(WaitUntil([&] { return dropped(300, 305) == 5; }, 60000)) << "slow senders are dropped";
    CharsetProxy::SetRequestLimits(std::chrono::seconds(30), 64);
    senders.clear();
    // Whoever finishes the request gets it relayed.
    agency.Route("/ok", TestHttpServer::Html(QStringLiteral("ok")));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, CharsetProxy::Port());
    client.write("GET " + agency.Url(QStringLiteral("/ok")).toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n");
    QByteArray answer;
    EXPECT_TRUE(WaitUntil([&] { return (answer += client.readAll()).endsWith("ok"); }, 30000)) << answer.toStdString();
}

}  // namespace
}  // namespace lumaro
