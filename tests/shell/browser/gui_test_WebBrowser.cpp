// The embedded browser, held as the main window holds it, against a real HTTP
// server on 127.0.0.1; the restart test starts this binary a second time.
#include <cmath>
#include <csignal>
#include <optional>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>
#include <QTcpServer>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <gtest/gtest.h>
#include <vector>

#include "core/TempDir.h"
#include "gui/Desktop.h"
#include "gui/GuiTestKit.h"
#include "gui/PdfText.h"
#include "gui/TestHttpServer.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/BrowserWindow.h"
#include "shell/browser/LoadProgressLine.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/NoticeBar.h"

namespace lumaro {
namespace {

using test::TestHttpServer;
using test::WaitUntil;

const auto Html = &TestHttpServer::Html;

// The result of an asynchronous call: `call` starts it, handing on `set` for the result.
template <class T, class Call>
T Await(Call call) {
    std::optional<T> result;
    call([&](const T& value) { result = value; });
    WaitUntil([&] { return result.has_value(); }, 15000);
    return result.value_or(T());
}

// Runs `action` and waits for the load it starts; true when that load succeeded.
template <class Action>
bool Loads(QWebEngineView& view, Action action) {
    QObject tie;  // the connection ends with the call
    return Await<bool>([&](auto set) { QObject::connect(&view, &QWebEngineView::loadFinished, &tie, set); action(); });
}
bool Load(WebBrowser& view, const QString& address) { return Loads(view, [&] { view.Navigate(address); }); }

std::vector<BrowserWindow*> OpenBrowserWindows() {
    std::vector<BrowserWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<BrowserWindow*>(widget)) windows.push_back(window);
    return windows;
}

class WebBrowserTest : public ::testing::Test {
protected:
    // One profile for all (a run of the restart test gets its own); it goes before the QApplication does.
    static void SetUpTestSuite() {
        WebBrowser::SetProfileFolder(qEnvironmentVariable("LUMARO_TEST_PROFILE", ui::Q(profiles.file("browser"))));
    }
    static void TearDownTestSuite() { WebBrowser::ReleaseProfile(); }
    WebBrowserTest() {
        host.setCentralWidget(view);
        host.show();
    }
    ~WebBrowserTest() override {
        prompts::SetSavePathChooser({});
        prompts::SetCredentialsProvider({});
        prompts::SetYesNoQuestion({});
        prompts::SetPrintDialog({});
    }
    // A page takes the mouse once its first frame is on screen; until then clicks are lost.
    void WaitUntilThePageTakesClicks() {
        Js("window.clicks = 0; addEventListener('mousedown', () => ++window.clicks)");
        ASSERT_TRUE(WaitUntil([&] { test::Click(view, {1, 1}); return Js("window.clicks").toInt() > 0; }));
    }
    QString Shown() { return Await<QString>([&](auto set) { view->page()->toPlainText(set); }); }
    QVariant Js(const QString& js) { return Await<QVariant>([&](auto set) { view->page()->runJavaScript(js, set); }); }
    // Enter on the focused link, as a user presses it: the program's own links answer only a user's gesture.
    void Press(const QString& linkId) {
        Js(QStringLiteral("document.getElementById('%1').focus()").arg(linkId));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(view->focusProxy(), &enter);
    }

    static inline test::TempDir profiles;
    TestHttpServer server;
    test::MessageRecorder messages;
    QMainWindow host;
    WebBrowser* view = new WebBrowser;  // the host's central widget
};

// Typed addresses open as in an address bar; those that do not parse show the program's page.
TEST_F(WebBrowserTest, AddressesOpenAsInAnAddressBar) {
    server.Route("/House/", Html("<p>房源列表</p>"));
    const QString listing = server.Url("/House/?DatabaseName=House");
    ASSERT_TRUE(Load(*view, " " + listing.mid(7) + " \t"));  // no scheme, blanks around
    EXPECT_TRUE(view->url().toString() == listing && Shown().contains("房源列表")) << view->url().toString().toStdString();
    // What an empty server address leaves of the URL, a port typo, a blank in the host, a script
    // (behind a tab, which browsers drop): a Chinese page naming the address, no guessed host.
    const QString typo = server.Url("x/House/").replace("/x/", "x/");  // http://127.0.0.1:<port>x/House/
    for (const QString& bad : {QString("/House/?DatabaseName=House"), typo, QString("127.0.0.1:8o80/House/"),
                               QString("http://exa mple/House/"), QString("java\tscript:alert(1)//House/")}) {
        ASSERT_TRUE(Load(*view, bad)) << bad.toStdString();
        EXPECT_TRUE(Shown().contains("无法打开网址") && Shown().contains(bad.left(4))) << Shown().toStdString();
        EXPECT_TRUE(Shown().contains("（工具栏的“配置”，即菜单“服务器”中的“配置服务器”），然后重新连接。"));
        EXPECT_EQ(view->url().scheme(), "data");
    }
    EXPECT_EQ(server.CountRequests("/House/"), 1);
}

// Printing goes through the print dialog; with its printer set to a PDF file, the file holds the page's text.
TEST_F(WebBrowserTest, PrintingToAPdfFileKeepsThePagesText) {
    server.Route("/report", Html("<h1>月供明细 Lumaro-4711</h1><p>等额法</p>"));
    ASSERT_TRUE(Load(*view, server.Url("/report")));
    const QString pdf = ui::Q(profiles.file("page.pdf"));
    prompts::SetPrintDialog([&](QWidget*, QPrinter& printer) {
        printer.setOutputFileName(pdf);  // a PDF printer
        return true;
    });
    view->PrintPage();
    ASSERT_TRUE(WaitUntil([&] { return !view->IsPrinting(); }, 20000));
    EXPECT_TRUE(messages.messages().empty());
    const QString text = test::PdfText(pdf);
    EXPECT_TRUE(text.contains("月供明细 Lumaro-4711") && text.contains("等额法")) << text.toStdString();
}

// A target=_blank link and window.open both open a program window on the same
// profile, so the login goes along; the page can close that window again.
TEST_F(WebBrowserTest, PagesOpenWindowsThatShareTheLogin) {
    server.Route("/login", {"<a id=blank target=_blank href=/popup>新窗口</a>", {{"Set-Cookie", "sid=agent42"}}});
    server.Route("/popup", Html("<title>房源详情</title><p>详情</p>"));
    ASSERT_TRUE(Load(*view, server.Url("/login")));
    for (const char* script : {"document.getElementById('blank').click()", "window.open('/popup')"}) {
        SCOPED_TRACE(script);
        Js(script);
        ASSERT_TRUE(WaitUntil([] { return OpenBrowserWindows().size() == 1; }));
        BrowserWindow* window = OpenBrowserWindows().front();
        ASSERT_TRUE(WaitUntil([&] { return window->windowTitle() == QStringLiteral("房源详情"); }));
        EXPECT_TRUE(window->isVisible() && window->browser()->page()->profile() == WebBrowser::ProgramProfile());
        EXPECT_EQ(server.Requests("/popup").constLast().headers.value("cookie"), "sid=agent42");
        window->browser()->page()->runJavaScript("window.close()");
        EXPECT_TRUE(WaitUntil([&] { return OpenBrowserWindows().empty(); }));
    }
    // A window opened without an address and written into, as print previews were: it shows
    // what was written, frame after frame, and the opener still reaches it.
    Js("window.preview = window.open('', '_blank', 'width=300,height=200');"
       "preview.document.write('<title>打印预览</title><p>月供明细</p>'); preview.document.close();");
    ASSERT_TRUE(WaitUntil([] { return OpenBrowserWindows().size() == 1; }));
    BrowserWindow* preview = OpenBrowserWindows().front();
    QWebEnginePage* written = preview->browser()->page();
    const auto inPreview = [&](const QString& js) {
        return Await<QVariant>([&](auto set) { written->runJavaScript(js, set); });
    };
    inPreview("requestAnimationFrame(() => requestAnimationFrame(() => window.drawn = true))");
    EXPECT_TRUE(WaitUntil([&] { return inPreview("window.drawn").toBool(); }));
    EXPECT_TRUE(preview->isVisible() && preview->windowTitle() == QStringLiteral("打印预览"));
    EXPECT_EQ(inPreview("document.body.innerText").toString(), QStringLiteral("月供明细"));
    EXPECT_EQ(Js("preview.document.body.innerText").toString(), QStringLiteral("月供明细"));
    Js("preview.close()");
    EXPECT_TRUE(WaitUntil([&] { return OpenBrowserWindows().empty(); }));
}

// A report written into a window of its own and printed at once, as the print buttons of that time did.
TEST_F(WebBrowserTest, AWrittenWindowPrintsAtOnce) {
    server.Route("/list", Html("<p>房源列表</p>"));
    ASSERT_TRUE(Load(*view, server.Url("/list")));
    const QString pdf = ui::Q(profiles.file("report.pdf"));
    int asked = 0;
    prompts::SetPrintDialog([&](QWidget*, QPrinter& printer) {
        ++asked;
        printer.setOutputFileName(pdf);
        return true;
    });
    Js("var w = window.open('', '_blank', 'width=300,height=200');"
       "w.document.write('<p>月供明细 Lumaro-4712</p>'); w.document.close(); w.print();");
    ASSERT_TRUE(WaitUntil([] { return OpenBrowserWindows().size() == 1; }));
    WebBrowser* report = OpenBrowserWindows().front()->browser();
    ASSERT_TRUE(WaitUntil([&] { return asked == 1 && !report->IsPrinting(); }, 20000));
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(test::PdfText(pdf).contains("月供明细 Lumaro-4712")) << test::PdfText(pdf).toStdString();
    OpenBrowserWindows().front()->close();
    EXPECT_TRUE(WaitUntil([&] { return OpenBrowserWindows().empty(); }));
}

// A download is proposed under the server's file name, saved where the user chose and reported.
TEST_F(WebBrowserTest, DownloadsAreSavedWhereTheUserChooses) {
    const QByteArray bytes = QByteArray("客户名单\n").repeated(5000);
    server.Route("/export", {bytes, {{"Content-Type", "application/octet-stream"},
                                     {"Content-Disposition", "attachment; filename=\"clients.csv\""}}});
    server.Route("/list", Html("<a id=\"export\" href=\"/export\">导出</a>"));
    const QString target = ui::Q(profiles.file("名单.csv"));
    prompts::SetSavePathChooser([&](QWidget*, const QString& proposed) {
        EXPECT_TRUE(proposed.endsWith("/clients.csv")) << proposed.toStdString();  // the server's name
        return std::optional(target);
    });
    ASSERT_TRUE(Load(*view, server.Url("/list")));
    Js("document.getElementById('export').click()");
    ASSERT_TRUE(WaitUntil([&] { return !messages.messages().empty(); }, 20000));
    const auto& done = messages.messages().front();
    EXPECT_TRUE(done.title == QStringLiteral("下载完成") && done.text.contains(target)) << done.text.toStdString();
    EXPECT_EQ(test::ReadBytes(profiles.file("名单.csv")), bytes.toStdString());
    EXPECT_EQ(view->url(), QUrl(server.Url("/list"))) << "the page stays where it was";
}

// A protected page asks once, naming the realm; the right answer shows it. An untrusted
// certificate asks first with no as the default answer: no keeps the page away, yes shows it.
TEST_F(WebBrowserTest, LoginsAndUntrustedCertificatesAskFirst) {
    server.Route("/secret", [] { auto r = Html("<p>内部资料 7731</p>"); r.basicAuth = "agent:秘密"; return r; }());
    QStringList asked;
    prompts::SetCredentialsProvider([&](QWidget*, const prompts::LoginRequest& request) {
        asked << request.url.host() + ' ' + request.realm;
        return std::optional(prompts::Credentials{"agent", "秘密"});
    });
    EXPECT_TRUE(Load(*view, server.Url("/secret")));
    EXPECT_EQ(asked, QStringList{"127.0.0.1 Lumaro test"});
    EXPECT_TRUE(Shown().contains("内部资料 7731"));

    TestHttpServer tls(TestHttpServer::Transport::SelfSignedTls);
    tls.Route("/secure", Html("<p>加密页面 5521</p>"));
    QStringList questions;
    prompts::SetYesNoQuestion([&](QWidget*, const QString&, const QString& title, bool defaultYes) {
        questions << title + (defaultYes ? " yes" : " no");
        return questions.size() > 1;  // no, then yes
    });
    Load(*view, tls.Url("/secure"));
    EXPECT_EQ(questions, QStringList{"安全警告 no"});
    EXPECT_TRUE(!Shown().contains("加密页面 5521") && tls.CountRequests("/secure") == 0);
    EXPECT_TRUE(Load(*view, tls.Url("/secure")));
    EXPECT_TRUE(questions.size() == 2 && Shown().contains("加密页面 5521"));
}

TEST_F(WebBrowserTest, ACrashedPageShowsAChinesePageWhoseLinkReloads) {
    server.Route("/work", Html("<p>业务页面 9902</p>"));
    ASSERT_TRUE(Load(*view, server.Url("/work")));
    const qint64 pid = view->page()->renderProcessPid();
    ASSERT_TRUE(pid > 0 && Loads(*view, [&] { ::kill(pid_t(pid), SIGKILL); }));  // the load is the crash page's
    EXPECT_FALSE(view->progressLine()->isVisible());
    const QString text = Shown();
    EXPECT_TRUE(text.contains("网页无法显示") && text.contains("重新加载") && text.contains(server.Url("/work")))
        << text.toStdString();
    ASSERT_TRUE(Loads(*view, [&] { Press("reload"); }));
    EXPECT_TRUE(view->url() == QUrl(server.Url("/work")) && Shown().contains("业务页面 9902"));
    EXPECT_EQ(server.CountRequests("/work"), 2);
}

// "lumaro:" links raise the program's commands from its own pages only: a page from the network cannot drive it.
TEST_F(WebBrowserTest, OnlyTheProgramsOwnPagesRaiseCommands) {
    server.Route("/evil", Html("<a id=\"exit\" href=\"lumaro:mExit\">退出</a>"));
    QStringList commands;
    QObject::connect(view, &WebBrowser::commandRequested, [&](const QString& tool) { commands << tool; });
    ASSERT_TRUE(Load(*view, server.Url("/evil")));
    EXPECT_FALSE(Loads(*view, [&] { Press("exit"); })) << "the link's navigation is refused";
    ASSERT_TRUE(Loads(*view, [&] { view->ShowLocalPage("<a id=\"retry\" href=\"lumaro:mConnect\">连接</a>"); }));
    EXPECT_TRUE(commands.isEmpty()) << commands.join(',').toStdString();
    Press("retry");
    EXPECT_TRUE(WaitUntil([&] { return !commands.isEmpty(); }));
    EXPECT_EQ(commands, QStringList{"mConnect"});
}

// The browser speaks Chinese: its context menu, the page's form hints and the engine's error pages;
// prompt() asks in the program's own box, its proposal selected: Enter answers, Esc cancels.
TEST_F(WebBrowserTest, TheBrowserSpeaksChinese) {
    server.Route("/form", Html("<form><input id=\"name\" required></form>"));
    ASSERT_TRUE(Load(*view, server.Url("/form")));
    EXPECT_EQ(Js("document.getElementById('name').validationMessage").toString().toStdString(), "请填写此字段。");

    WaitUntilThePageTakesClicks();
    test::Click(view, view->rect().center(), Qt::RightButton);
    QMenu* menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())); }));
    QStringList items;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator()) items << a->text();
    EXPECT_EQ(items.join(' ').toStdString(), "后退 前进 重新加载 保存页面 查看页面源代码");
    menu->close();

    for (const auto& [answer, result] : {std::pair("Return", "B-7"), std::pair("Esc", "null")}) {
        QStringList box;  // title, question, proposal
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->findChild<QLineEdit*>()) return;
            answerer.stop();
            box << modal->windowTitle() << modal->findChild<QLabel*>()->text() << modal->findChild<QLineEdit*>()->text();
            test::Type(modal->windowHandle(), "B-7");
            test::PressKeys(modal->windowHandle(), answer);
        });
        answerer.start(20);
        EXPECT_EQ(Js("String(prompt('请输入房源编号：', 'A-1'))").toString().toStdString(), result) << answer;
        EXPECT_EQ(box.join('|').toStdString(), "来自网页的消息|请输入房源编号：|A-1") << answer;
    }

    QTcpServer probe;  // a port where nothing answers
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString closed = QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
    probe.close();
    Load(*view, closed);
    EXPECT_TRUE(Shown().contains("无法访问此网站") && Shown().contains("拒绝了连接请求")) << Shown().toStdString();
}

// Ctrl+F opens a find bar over the page: it finds as one types and counts the matches; Enter and
// Shift+Enter (or its buttons) go to the next and the previous one; Esc closes it, leaving the last
// match selected and the page with the keys; opened again, it offers the last text selected. Ctrl + + / - / 0 and Ctrl + wheel zoom the page in steps.
TEST_F(WebBrowserTest, FindBarAndZoom) {
    server.Route("/find", Html("<p>Lumaro one, lumaro two, LUMARO three.</p>"));
    ASSERT_TRUE(Load(*view, server.Url("/find")));
    host.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &host; }));
    view->setFocus();
    QWindow* window = host.windowHandle();
    const auto bar = [&] { return view->findChild<QWidget*>("findBar"); };
    const auto matches = [&] { return bar() && bar()->isVisible() ? bar()->findChild<QLabel*>("lblMatches")->text() : "closed"; };
    // A step: keys, "type:" text, or "click:" a button of the bar; then the count the bar shows.
    const std::pair<QString, QString> steps[] = {
        {"Ctrl+F", ""}, {"type:lumaro", "1/3"}, {"Return", "2/3"}, {"Return", "3/3"}, {"Return", "1/3"},
        {"Shift+Return", "3/3"}, {"click:cmdPrevious", "2/3"}, {"click:cmdNext", "3/3"}, {"type:s", "无结果"},
        {"Backspace", "1/3"}, {"Esc", "closed"}, {"Ctrl+F", ""}, {"type:LUMARO", "1/3"}, {"click:cmdClose", "closed"}};
    for (const auto& [step, count] : steps) {
        if (step.startsWith("type:")) test::Type(window, step.mid(5));
        else if (step.startsWith("click:")) { auto* b = bar()->findChild<QWidget*>(step.mid(6)); test::Click(b, b->rect().center()); }
        else test::PressKeys(window, step);
        ASSERT_TRUE(WaitUntil([&] { return matches() == count; })) << step.toStdString() << ": " << matches().toStdString();
    }
    EXPECT_EQ(Js("window.getSelection().toString()").toString(), "Lumaro") << "the last match stays selected";
    EXPECT_EQ(QApplication::focusWidget(), view->focusProxy());

    // Each step, then the zoom factor; the wheel turns one notch up (+) or down (-) with Ctrl held.
    const std::pair<QString, double> zooms[] = {{"Ctrl+=", 1.1},  {"Ctrl++", 1.25}, {"Ctrl+-", 1.1}, {"Ctrl+0", 1.0},
                                                {"Ctrl+-", 0.9},  {"wheel+", 1.0},  {"wheel+", 1.1}, {"wheel-", 1.0}};
    for (const auto& [step, factor] : zooms) {
        if (step.startsWith("wheel")) {
            const QPoint at = view->rect().center();
            QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, step.endsWith('+') ? 120 : -120}, Qt::NoButton,
                              Qt::ControlModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(view->focusProxy(), &wheel);
        } else {
            test::PressKeys(window, step);
        }
        EXPECT_TRUE(WaitUntil([&] { return std::abs(view->zoomFactor() - factor) < 0.001; }))
            << step.toStdString() << ": " << view->zoomFactor();
    }
}

// A page's alert() and confirm() answer with 确定 and 取消 as the old control's boxes did (pages say "点击确定"); Enter
// is 确定, Esc 取消. A confirm() listing 79 houses fits the screen: its text scrolls inside the box, the buttons in view.
TEST_F(WebBrowserTest, PageBoxesFitTheScreenAndAnswerWithTheOldButtons) {
    ui::SetMessageSink({});  // the boxes themselves, answered as the user answers them
    server.Route("/list", Html("<p>房源列表</p>"));
    ASSERT_TRUE(Load(*view, server.Url("/list")));
    QStringList houses;
    for (int i = 1; i <= 79; ++i) houses << QStringLiteral("%1. 朝阳区建国路 %1 号 3 室 2 厅，120 平方米").arg(i);
    Js("window.list = `" + houses.join('\n') + QStringLiteral("\n\n确定要删除以上房源吗？`"));
    // Each row: the page's call, how it is answered (a button clicked, or a key), its result, the buttons shown.
    const struct { QString call, answer, result, buttons; } rows[] = {
        {"confirm(window.list)", "click:cmdCancel", "false", "确定 取消"},
        {"confirm('删除房源请点击确定。')", "Return", "true", "确定 取消"},
        {"confirm('删除房源请点击确定。')", "Esc", "false", "确定 取消"},
        {"alert(window.list)", "Return", "undefined", "确定"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call.left(30).toStdString() + " " + row.answer.toStdString());
        QString title, buttons, shown;
        QStringList off;  // what lies out of sight
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->findChild<QPushButton*>("cmdOK")) return;
            answerer.stop();
            title = box->windowTitle();
            const QRect screen = box->screen()->availableGeometry();
            if (!screen.contains(box->frameGeometry())) off << "the box";
            QStringList texts;
            for (QPushButton* button : box->findChildren<QPushButton*>()) {
                texts << button->text();
                if (!button->isVisible() || !screen.contains(QRect(button->mapToGlobal(QPoint()), button->size())))
                    off << button->text();
            }
            buttons = texts.join(' ');
            shown = box->findChild<QLabel*>("lblText")->text();
            const auto* scroll = box->findChild<QScrollArea*>("scrText");
            if (shown.size() > 200 && scroll->verticalScrollBar()->maximum() == 0) off << "the text does not scroll";
            if (row.answer.startsWith("click:")) test::Click(box->findChild<QPushButton*>(row.answer.mid(6)));
            else test::PressKeys(box->windowHandle(), row.answer);
        });
        answerer.start(20);
        EXPECT_EQ(Js("String(" + row.call + ")").toString(), row.result);
        EXPECT_EQ(title, "来自网页的消息");
        EXPECT_EQ(buttons, row.buttons);
        EXPECT_TRUE(shown.endsWith(QStringLiteral("确定要删除以上房源吗？")) || shown.contains("点击确定")) << shown.toStdString();
        EXPECT_EQ(off.join(", "), "") << "out of sight on the screen";
    }
}

// The find bar does not cover the page: the page moves down while it is open (below the notice over an old page,
// when there is one), so the 打印预览 and 打印 buttons at the top of old pages can still be clicked.
TEST_F(WebBrowserTest, TheFindBarMovesThePageDown) {
    server.Route("/old", Html("<body style='margin:0'><div style='position:absolute;top:0;right:0'>"
                              "<button id=preview onclick=\"window.clicked='打印预览'\">打印预览</button>"
                              "<button id=print onclick=\"window.clicked='打印'\">打印</button></div>"
                              "<p style='margin-top:40px'>Lumaro</p></body>"));
    ASSERT_TRUE(Load(*view, server.Url("/old")));
    host.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &host; }));
    WaitUntilThePageTakesClicks();
    view->setFocus();
    const auto clickButton = [&](const char* id) {
        Js("window.clicked = ''");
        const QVariantList box = Js(QStringLiteral("(r => [r.left, r.top, r.width, r.height])("
                                                   "document.getElementById('%1').getBoundingClientRect())").arg(id)).toList();
        EXPECT_EQ(box.size(), 4);
        if (box.size() != 4) return QString();
        const QPoint middle(int(box[0].toDouble() + box[2].toDouble() / 2), int(box[1].toDouble() + box[3].toDouble() / 2));
        test::Click(view->focusProxy(), middle);
        WaitUntil([&] { return !Js("window.clicked").toString().isEmpty(); }, 5000);
        return Js("window.clicked").toString();
    };
    for (const bool notice : {false, true}) {
        SCOPED_TRACE(notice ? "under the notice" : "alone");
        if (notice) NoticeBar::For(view)->Add("VBScript");
        test::PressKeys(host.windowHandle(), "Ctrl+F");
        QWidget* bar = view->findChild<QWidget*>("findBar");
        ASSERT_TRUE(WaitUntil([&] { return bar->isVisible(); }));
        int top = bar->geometry().bottom() + 1;
        if (notice) {
            const QWidget* noticeBar = NoticeBar::For(view);
            EXPECT_FALSE(noticeBar->geometry().intersects(bar->geometry()));
            top = std::max(top, noticeBar->geometry().bottom() + 1);
        }
        EXPECT_TRUE(WaitUntil([&] { return view->focusProxy()->y() >= top; })) << view->focusProxy()->y() << " < " << top;
        EXPECT_EQ(clickButton("print"), "打印");
        EXPECT_EQ(clickButton("preview"), "打印预览");
        test::PressKeys(host.windowHandle(), "Ctrl+F");
        test::PressKeys(host.windowHandle(), "Esc");
        EXPECT_TRUE(WaitUntil([&] { return !bar->isVisible(); }));
        const int left = notice ? NoticeBar::For(view)->height() : 0;
        EXPECT_TRUE(WaitUntil([&] { return view->focusProxy()->y() == left; })) << "the room goes back";
    }
}

// Two runs of the program, each this binary started again and ending as the
// program ends, on one profile folder: the first logs in, the second is known.
TEST_F(WebBrowserTest, ALoginCookieOutlivesARestart) {
    if (const QString url = qEnvironmentVariable("LUMARO_TEST_RUN"); !url.isEmpty()) {  // one run of the program
        ASSERT_TRUE(Load(*view, url));
        (new BrowserWindow(WebBrowser::ProgramProfile()))->show();  // a page's window still open
        QMetaObject::invokeMethod(qApp, [] { ui::EndProgram(); }, Qt::QueuedConnection);
        QCoreApplication::exec();
        return;
    }
    server.Route("/login", {"ok", {{"Set-Cookie", "session=lumaro-77; Path=/; HttpOnly"}}});  // a session cookie
    server.Route("/home", Html("home"));
    qputenv("LUMARO_TEST_PROFILE", profiles.file("restart").c_str());
    for (const char* path : {"/login", "/home"}) {
        QProcess run;
        test::TieToTest(run);
        run.setProcessChannelMode(QProcess::ForwardedChannels);  // its output joins this test's
        qputenv("LUMARO_TEST_RUN", server.Url(path).toUtf8());
        run.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=*.ALoginCookieOutlivesARestart"});
        EXPECT_TRUE(run.waitForFinished(120000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0);
    }
    qunsetenv("LUMARO_TEST_RUN");
    qunsetenv("LUMARO_TEST_PROFILE");
    EXPECT_EQ(server.Requests("/home").value(0).headers.value("cookie"), "session=lumaro-77");
}

}  // namespace
}  // namespace lumaro
