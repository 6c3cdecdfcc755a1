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
#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/LayerTestKit.h"
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

using test::Js;
using test::LayerProgram;
using test::OpenLegacyDialogs;
using test::ShownDialog;
using test::TestHttpServer;
using test::WaitUntil;

// One IE-era page and what running it involves besides its verdict.
struct Page {
    const char* name;  // pages/<name>.asp, served as /legacy/<name>.asp
    QStringList calls = {};  // what it must ask of the program
    std::function<void(WebBrowser&)> act = {};  // what the user does once it has loaded
    bool modern = false;  // written for browsers of today: passes with and without the layer
    const char* clipboardBefore = nullptr;  // the clipboard's text before the page opens
    bool allowClipboard = true;  // the user's answer to a page reading the clipboard
    const char* clipboardAfter = nullptr;  // the clipboard's text the page must leave
    const char* answer = "";  // the button the user chooses in the page's message boxes
};
void PrintTo(const Page& page, std::ostream* out) { *out << page.name; }

QByteArray Gbk(const char* utf8) { return QByteArray::fromStdString(platform::ToAnsi(utf8)); }

// A user's key and click, through the window system.
void Key(WebBrowser& view, Qt::Key key) { test::PressKey(view.window()->windowHandle(), key); }
void Click(WebBrowser& view, QPoint at) { test::Click(view.focusProxy(), at); }

// What the user does with the dialog the page opened: checks it is a dialog
// of the page's window with the page area and caption asked for, blocking
// the window or not, then closes it (Esc on a modal one). A page without a dialog gets no verdict.
std::function<void(WebBrowser&)> CloseDialog(QSize area, QString caption, bool modal) {
    return [=](WebBrowser& view) {
        Click(view, QPoint(100, 40));
        LegacyDialog* dialog = ShownDialog(false);
        if (!dialog) return;  // the page fails for it
        if (!caption.isEmpty()) EXPECT_TRUE(WaitUntil([&] { return dialog->windowTitle() == caption; }));
        EXPECT_EQ(dialog->browser()->size(), area);
        EXPECT_EQ(dialog->parentWidget(), view.window());
        EXPECT_EQ(dialog->windowType(), Qt::Dialog);
        EXPECT_EQ(dialog->isModal(), modal);
        WaitUntil([&] { return !dialog->browser()->page()->isLoading(); }, 3000);
        // Esc on the page closes a modal dialog, as it did; the close box any.
        if (modal) {
            dialog->activateWindow();
            dialog->browser()->setFocus();
            Key(*dialog->browser(), Qt::Key_Escape);
        } else {
            dialog->close();
        }
    };
}

// The user opens the page's dialog with its button and picks 西湖区 in it.
void PickInDialog(WebBrowser& view) {
    Click(view, QPoint(100, 40));
    if (LegacyDialog* dialog = ShownDialog(true)) Click(*dialog->browser(), QPoint(100, 40));
}

// The user types the price into the page's form, then picks in the dialog.
void TypePriceAndPick(WebBrowser& view) {
    Click(view, QPoint(100, 115));
    test::Type(view.window()->windowHandle(), QStringLiteral("120"));
    WaitUntil([&] { return Js(view, QStringLiteral("document.form1.price.value")).toString() == "120"; }, 3000);
    PickInDialog(view);
}

// The user opens the tool window and picks 西湖区 in it: the page's field
// shows it while the tool stays open, and so does the caption of the tool's
// next page. The page's second button answers: the tool shows the answer,
// and the page has told the tool's script.
void UseToolWindow(WebBrowser& view) {
    Click(view, QPoint(100, 40));
    LegacyDialog* tool = ShownDialog(true);
    if (!tool) return;
    EXPECT_FALSE(tool->isModal());
    Click(*tool->browser(), QPoint(100, 40));
    EXPECT_TRUE(WaitUntil([&] { return Js(view, QStringLiteral("document.form1.area.value")).toString() == "西湖区"; }));
    EXPECT_TRUE(WaitUntil([&] { return tool->windowTitle() == "工具：西湖区"; })) << tool->windowTitle().toStdString();
    test::WaitPainted(*tool->browser());
    Click(view, QPoint(100, 140));
    const QString answer = QStringLiteral("document.getElementById('answer').innerText + ' / ' + received");
    EXPECT_TRUE(WaitUntil([&] { return Js(*tool->browser(), answer).toString() == "已收到 西湖区 / 西湖区"; }))
        << Js(*tool->browser(), answer).toString().toStdString();
    tool->close();
}

const Page kPages[] = {
    // ---- events
    {.name = "attachEvent"},
    {.name = "fireEvent"},
    {.name = "EnterMovesToTheNextField", .act = [](WebBrowser& view) { Key(view, Qt::Key_Return); }},
    {.name = "mouseButtons", .act = [](WebBrowser& view) { Click(view, QPoint(50, 50)); }},
    {.name = "buttonWithoutTypeDoesNotSubmit", .act = [](WebBrowser& view) { Click(view, QPoint(100, 40)); }},
    {.name = "onpropertychangeFromScript"},
    {.name = "onpropertychangeFromTyping", .act = [](WebBrowser& view) { Key(view, Qt::Key_7); }},
    {.name = "scriptForEvent"},
    {.name = "scriptOnreadystatechange"},

    // ---- the document and its collections
    {.name = "documentAll"},
    {.name = "callableCollections"},
    {.name = "getElementByIdFindsNames"},
    {.name = "createElementFromMarkup"},
    {.name = "getYear"},
    {.name = "setAttributeClassName"},
    {.name = "documentFrames"},
    {.name = "navigate"},
    {.name = "windowOpenReusesTheWindow"},
    {.name = "createPopup"},
    {.name = "scriptMadeDocuments"},
    {.name = "tableWhitespace"},
    {.name = "framesCallableAndFormItem"},
    {.name = "externalAddFavorite"},
    {.name = "documentSelection"},
    {.name = "clipboardSetData", .clipboardBefore = "",
     .clipboardAfter = "房源编号 A-1024"},
    {.name = "clipboardGetDataAsksFirst", .calls = {"clipboardAllowed"},
     .clipboardBefore = "客户电话 13800138000"},
    {.name = "clipboardGetDataRefused", .calls = {"clipboardAllowed"},
     .clipboardBefore = "secret",
     .allowClipboard = false},

    // ---- style
    {.name = "currentStyle"},
    {.name = "filterAlphaOpacity"},
    {.name = "cursorHand"},
    {.name = "everydayIdioms"},
    {.name = "cssExpression"},
    {.name = "quirksBoxModel"},
    {.name = "quirksInlineSize"},
    {.name = "systemColourNames"},
    {.name = "symbolFonts"},
    {.name = "conditionalComments"},

    // ---- XML
    {.name = "xmlDataIsland"},
    {.name = "xmlIslandsAnywhere"},
    {.name = "ActiveXXmlHttp"},
    {.name = "ActiveXXmlDom"},
    {.name = "transformNode"},
    {.name = "transformFragment"},
    {.name = "scriptingDictionary"},

    // ---- dialogs
    {.name = "showModalDialog"},
    {.name = "showModalDialogClosedByTheUser", .act = CloseDialog({320, 200}, "房源详情", true)},
    {.name = "showModalDialogThatNeverLoads", .act = CloseDialog({400, 300}, QString(), true)},
    {.name = "dialogResizesItself"},
    {.name = "showModelessDialog", .act = CloseDialog({250, 150}, "房源详情", false)},
    // dialogs and their callers share objects
    {.name = "dialogFillsTheCallersForm", .act = PickInDialog},
    {.name = "dialogCallsTheCallersFunction", .act = TypePriceAndPick},
    {.name = "dialogPassesTheCallersWindowOn"},
    {.name = "dialogArgumentsReferToThemselves"},
    {.name = "dialogWithAHugeForm"},
    {.name = "modelessToolWindow", .act = UseToolWindow},

    // ---- encoding: a page, a script, a style sheet of the server without a charset
    {.name = "gbkWithoutCharset"},

    // ---- printing
    {.name = "ExecWB", .calls = {"print:preview", "print:print", "print:setup"}},
    {.name = "ScriptXPrinting", .calls = {"print:preview", "print:print", "print:setup"}},
    {.name = "printControlInHead", .calls = {"print:preview", "print:print"}},

    // ---- what cannot run is named
    {.name = "HtcBehaviourIsNamed", .calls = {"notice:HTC 行为 (behavior)"}},
    {.name = "UnknownActiveXIsNamed", .calls = {"notice:ActiveX 控件 Excel.Application"}},
    {.name = "ActiveXControlIsNamed", .calls = {"notice:ActiveX 控件 ShockwaveFlash.ShockwaveFlash"}},

    // ---- VBScript
    {.name = "vbscriptFormCheck",
     .calls = {"msgbox:房源登记:请输入客户姓名:确定:确定:warning", "msgbox:房源登记:确定保存 张三 吗？:是/否:否:question"},
     .answer = "是"},
    {.name = "vbscriptBytes2BSTR"},
    {.name = "vbscriptAndJScriptCallEachOther"},
    {.name = "vbscriptDocumentOrder"},
    {.name = "vbscriptFirstBlockInACell"},
    {.name = "vbscriptHandlers"},
    {.name = "vbscriptThatCannotRunIsNamed",
     .calls = {"notice:VBScript（第 9 行：Class）", "notice:VBScript（第 15 行：语法错误）"}},

    // ---- JScript's own syntax: qualified function names and conditional compilation
    {.name = "jscriptInlineBlock"},
    {.name = "jscriptExternalFile"},
    {.name = "jscriptHandlerAttribute"},
    {.name = "jscriptScriptAddress", .act = [](WebBrowser& view) { Click(view, QPoint(50, 40)); }},

    // ---- pages of today: the same with and without the layer
    {.name = "modernListenersFirst", .modern = true},
    {.name = "modernIeFirstXml", .modern = true},
    {.name = "modernCollectionsAndStyles", .modern = true},
    {.name = "modernXhrAndEvents", .modern = true},
};

class LegacyPageTest : public ::testing::TestWithParam<Page> {
protected:
    static void SetUpTestSuite() { WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser"))); }
    static void TearDownTestSuite() { WebBrowser::ReleaseProfile(); }

    LegacyPageTest() {
        // The pages and what they use, kept in UTF-8, served in GB2312 without a charset.
        const QDir pages(QStringLiteral(TEST_SOURCE_DIR "/pages"));
        for (const QFileInfo& file : pages.entryInfoList(QDir::Files)) {
            QFile content(file.filePath());
            EXPECT_TRUE(content.open(QIODevice::ReadOnly));
            const QString suffix = file.suffix();
            const QByteArray type = suffix == "js"                    ? "application/x-javascript"
                                    : suffix == "css"                 ? "text/css"
                                    : suffix == "xml" || suffix == "xsl" ? "text/xml"
                                                                      : "text/html";
            server.Route("/legacy/" + file.fileName(), {Gbk(content.readAll().constData()), {{"Content-Type", type}}});
        }
    }
    ~LegacyPageTest() override {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<BrowserWindow*>(widget)) delete window;
    }
    static QString Path(const Page& page) { return QStringLiteral("/legacy/%1.asp").arg(page.name); }

    // Opens `path` of the server under `host`, waiting until it has loaded and, when `painted`, until it takes
    // a user's input (once it has painted).
    bool Open(WebBrowser& view, const QString& path, bool painted, const QString& host = "127.0.0.1") {
        return test::OpenPage(view, QUrl(server.Url(path).replace(QStringLiteral("127.0.0.1"), host)), painted);
    }
    // The server's origin as an IECompatHosts entry.
    QString Origin() const { return server.Url(QString()); }

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
        LayerProgram::Install(layer, {Origin()}, page.allowClipboard, QString::fromUtf8(page.answer));
        if (page.clipboardBefore) QGuiApplication::clipboard()->setText(QString::fromUtf8(page.clipboardBefore));
        WebBrowser view;
        view.resize(800, 600);
        view.show();
        view.activateWindow();
        view.setFocus();  // a user's keys go to the page's focused field
        Open(view, Path(page), bool(page.act));
        if (page.act) page.act(view);
        const auto verdict = [&] { return view.title() == "PASS" || view.title().startsWith("FAIL"); };
        if (!WaitUntil(verdict, 10000)) return QStringLiteral("no verdict: ") + view.title();
        if (view.title() != "PASS") return view.title();
        if (!WaitUntil([] { return OpenLegacyDialogs() == 0; }, 3000)) return QStringLiteral("a dialog left open");
        QStringList calls;
        const auto asked = [&] {
            calls = LayerProgram::Calls(view);
            for (const QString& call : page.calls)
                if (!calls.contains(call)) return false;
            return true;
        };
        if (!page.calls.isEmpty() && !WaitUntil(asked, 5000))
            return QStringLiteral("asked the program: ") + calls.join(", ");
        // The page's write reaches the clipboard in its own time, after its verdict.
        const auto clipboardHolds = [&] { return QGuiApplication::clipboard()->text() == QString::fromUtf8(page.clipboardAfter); };
        if (page.clipboardAfter && !WaitUntil(clipboardHolds, 10000))
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

// [Setup] IECompat = exactly "False" switches the layer off; IECompatHosts adds
// origins: a host means its default http and https ports, host:port both
// schemes on that port, scheme://host:port just that. The server's origin is
// the address the connection opened, scheme and port included.
TEST_F(LegacyPageTest, SettingsChooseTheOrigins) {
    const struct {
        const char* setup;
        const char* url;
        bool applies;
    } rows[] = {
        {"", "http://10.0.0.2:8080/House/index.asp", true},
        {"", "http://10.0.0.2/House/", false},
        {"", "https://10.0.0.2:8080/House/", false},
        {"", "http://10.0.0.2:8081/", false},
        {"", "http://www.lumaro.example/", false},
        {"IECompatHosts= Erp.Agency.local ,192.168.1.6:8443\n", "http://erp.agency.local/a.asp", true},
        {"IECompatHosts= Erp.Agency.local ,192.168.1.6:8443\n", "https://ERP.agency.local:443/", true},
        {"IECompatHosts= Erp.Agency.local ,192.168.1.6:8443\n", "http://erp.agency.local:8080/", false},
        {"IECompatHosts= Erp.Agency.local ,192.168.1.6:8443\n", "https://192.168.1.6:8443/", true},
        {"IECompatHosts= Erp.Agency.local ,192.168.1.6:8443\n", "http://192.168.1.6/", false},
        {"IECompatHosts=https://secure.agency.local:9443\n", "https://secure.agency.local:9443/", true},
        {"IECompatHosts=https://secure.agency.local:9443\n", "http://secure.agency.local:9443/", false},
        {"IECompatHosts=房产.cn\n", "http://xn--wlq909b.cn/", true},
        {"IECompatHosts=房产.cn\n", "https://房产.cn/", true},
        {"IECompatHosts=[::1]:8080\n", "http://[::1]:8080/", true},
        // not origins: a path, a blank, a port alone
        {"IECompatHosts=http://erp.agency.local/House/, ,:80\n", "http://erp.agency.local/", false},
        {"IECompatHosts=http://erp.agency.local/House/, ,:80\n", "http://10.0.0.2:8080/", true},
        {"IECompat=False\nIECompatHosts=erp.agency.local\n", "http://10.0.0.2:8080/House/", false},
        {"IECompat=False\nIECompatHosts=erp.agency.local\n", "http://erp.agency.local/", false},
        {"IECompat=false\n", "http://10.0.0.2:8080/House/", true},
    };
    const std::string saved = ConfigFilePath;
    ConfigFilePath = profiles.file("Lumaro.lic");
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.setup) + row.url);
        test::WriteBytes(ConfigFilePath, platform::ToAnsi(std::string("[Setup]\n") + row.setup));
        CompatLayer::Start();
        CompatLayer::SetServer(QUrl(QStringLiteral("http://10.0.0.2:8080/House/?DatabaseName=House")));
        EXPECT_EQ(CompatLayer::AppliesTo(QUrl(QString::fromUtf8(row.url))), row.applies);
    }
    // A server named in Chinese is the same origin the browser writes in ASCII.
    test::WriteBytes(ConfigFilePath, "");
    CompatLayer::Start();
    CompatLayer::SetServer(QUrl(QStringLiteral("http://房产.cn:8080/House/")));
    EXPECT_TRUE(CompatLayer::AppliesTo(QUrl(QStringLiteral("http://xn--wlq909b.cn:8080/x.asp"))));
    ConfigFilePath = saved;
}

// The layer is the agency server's alone: the same page by another of the
// server's names is shown as a modern browser shows it, as it was sent.
TEST_F(LegacyPageTest, OnlyTheServersHostGetsTheLayer) {
    LayerProgram::Install(true, {Origin()});
    // who.asp: Chromium takes its few Chinese characters for Korean unless told.
    for (const auto& [host, layer] : {std::pair{"127.0.0.1", true}, {"localhost", false}}) {
        SCOPED_TRACE(host);
        WebBrowser view;
        ASSERT_TRUE(Open(view, QStringLiteral("/legacy/who.asp"), false, host));
        EXPECT_EQ(Js(view, QStringLiteral("navigator.appName")).toString() == "Microsoft Internet Explorer", layer);
        EXPECT_EQ(Js(view, QStringLiteral("typeof document.attachEvent")).toString() == "function", layer);
        EXPECT_EQ(Js(view, QStringLiteral("document.body.innerText.indexOf('\\u4ef7\\u683c') >= 0")).toBool(), layer);
        EXPECT_EQ(server.Requests("/legacy/who.asp").last().headers.value("user-agent").contains("MSIE"), layer);
    }
}

// JScript's syntax is given its meaning on the server's pages only: a page of
// another host reaches the engine as it was sent, and its old script stays dead.
TEST_F(LegacyPageTest, OnlyTheServersScriptsAreRewritten) {
    LayerProgram::Install(true, {Origin()});
    QFile file(QStringLiteral(TEST_SOURCE_DIR "/pages/jscriptInlineBlock.asp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray sent = Gbk(file.readAll().constData());
    for (const auto& [host, layer] : {std::pair{"127.0.0.1", true}, {"localhost", false}}) {
        SCOPED_TRACE(host);
        WebBrowser view;
        ASSERT_TRUE(Open(view, QStringLiteral("/legacy/jscriptInlineBlock.asp"), false, host));
        Js(view, QStringLiteral("fetch(location.href).then(function (r) { return r.arrayBuffer(); }).then(function (b) {"
                                "  window.received = btoa(String.fromCharCode.apply(null, new Uint8Array(b))); })"));
        ASSERT_TRUE(WaitUntil([&] { return Js(view, QStringLiteral("typeof window.received")).toString() == "string"; }));
        const QByteArray received = QByteArray::fromBase64(Js(view, QStringLiteral("window.received")).toByteArray());
        EXPECT_EQ(received == sent, !layer);
        EXPECT_EQ(Js(view, QStringLiteral("document.scripts[2].text.indexOf('function window.onload()') >= 0")).toBool(), !layer);
        EXPECT_EQ(Js(view, QStringLiteral("typeof window['\\u5f15\\u64ce']")).toString(), layer ? "string" : "undefined");
    }
}

// A caller gone while its dialog is open takes the dialog along, nothing more.
TEST_F(LegacyPageTest, ClosingTheCallerWithItsDialogOpen) {
    LayerProgram::Install(true, {Origin()});
    auto view = std::make_unique<WebBrowser>();
    view->resize(400, 300);
    view->show();
    ASSERT_TRUE(Open(*view, QStringLiteral("/legacy/caller.asp"), true));
    Click(*view, QPoint(100, 40));  // go() opens a dialog
    ASSERT_TRUE(WaitUntil([&] { return OpenLegacyDialogs() == 1; }));
    view.reset();
    EXPECT_TRUE(WaitUntil([&] { return OpenLegacyDialogs() == 0; }));
}

// A modeless dialog goes with the page that opened it, as it did: when the
// page goes to another page, and when its window closes.
TEST_F(LegacyPageTest, ToolWindowsGoWithTheirCaller) {
    LayerProgram::Install(true, {Origin()});
    for (const bool navigate : {true, false}) {
        SCOPED_TRACE(navigate ? "another page" : "window closed");
        auto view = std::make_unique<WebBrowser>();
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(Open(*view, QStringLiteral("/legacy/modelessToolWindow.asp"), true));
        Click(*view, QPoint(100, 40));
        ASSERT_TRUE(ShownDialog(true));
        if (navigate)
            Open(*view, QStringLiteral("/legacy/count.asp"), false);
        else
            view.reset();
        EXPECT_TRUE(WaitUntil([] { return OpenLegacyDialogs() == 0; }));
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, LegacyPageTest, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumaro
