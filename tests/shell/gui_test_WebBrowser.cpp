// The embedded browser against a real HTTP server on 127.0.0.1: addresses,
// history, printing, new windows, downloads, logins, certificates, a crashed
// page process, the load progress line, the program's own links and the
// persistent profile.
#include <algorithm>
#include <csignal>
#include <memory>
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPrinter>
#include <QPointer>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <gtest/gtest.h>
#include <optional>
#include <sys/types.h>

#include "config/Failure.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/TestHttpServer.h"
#include "shell/BrowserPage.h"
#include "shell/BrowserProfile.h"
#include "shell/BrowserPrompts.h"
#include "shell/BrowserWindow.h"
#include "shell/LoadProgressLine.h"
#include "shell/WebBrowser.h"

namespace lumaro {
namespace {

using test::TestHttpServer;
using test::WaitUntil;

// One profile folder for the whole binary; the profile goes before the
// QApplication does.
class ProfileEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        folder_ = std::make_unique<test::TempDir>();
        WebBrowser::SetProfileFolder(QString::fromStdString(folder_->file("browser")));
    }
    void TearDown() override { WebBrowser::ReleaseProfile(); }

private:
    std::unique_ptr<test::TempDir> folder_;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ProfileEnvironment);

QString Page(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head><body>%2</body></html>")
        .arg(title, body);
}

// A browser shown on the offscreen screen, with the outcome of its last load.
struct Browser {
    std::unique_ptr<WebBrowser> view = std::make_unique<WebBrowser>();
    int finishedLoads = 0;
    bool lastLoadOk = false;

    Browser() {
        view->resize(800, 600);
        view->show();
        QObject::connect(view.get(), &QWebEngineView::loadFinished, view.get(), [this](bool ok) {
            ++finishedLoads;
            lastLoadOk = ok;
        });
    }

    bool Load(const QString& address) {
        const int before = finishedLoads;
        view->Navigate(address);
        return WaitUntil([&] { return finishedLoads > before; }, 15000) && lastLoadOk;
    }

    bool WaitForLoad(int before) {
        return WaitUntil([&] { return finishedLoads > before; }, 15000);
    }

    QString Text() const { return TextOf(view->page()); }

    static QString TextOf(QWebEnginePage* page) {
        std::optional<QString> text;
        page->toPlainText([&](const QString& t) { text = t; });
        WaitUntil([&] { return text.has_value(); });
        return text.value_or(QString());
    }

    // A click as a user makes it, so the page sees a user gesture: the
    // program's own links work only for those.
    bool Click(const QString& elementId) {
        const QVariantList center =
            Run(QStringLiteral("(() => { const r = document.getElementById('%1').getBoundingClientRect();"
                               " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                    .arg(elementId))
                .toList();
        QWidget* surface = view->focusProxy();
        if (center.size() != 2 || !surface) return false;
        const QPointF at(center[0].toDouble(), center[1].toDouble());
        const QPointF global = surface->mapToGlobal(at);
        for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, at, global, button, buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(surface, &event);
        }
        return true;
    }

    QVariant Run(const QString& script) {
        std::optional<QVariant> result;
        view->page()->runJavaScript(script, [&](const QVariant& v) { result = v; });
        WaitUntil([&] { return result.has_value(); });
        return result.value_or(QVariant());
    }
};

std::vector<BrowserWindow*> OpenBrowserWindows() {
    std::vector<BrowserWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<BrowserWindow*>(widget)) windows.push_back(window);
    return windows;
}

class WebBrowserTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (BrowserWindow* window : OpenBrowserWindows()) delete window;
        prompts::SetSavePathChooser({});
        prompts::SetCredentialsProvider({});
        prompts::SetYesNoQuestion({});
        prompts::SetPrintDialog({});
    }

    TestHttpServer server;
    test::MessageRecorder messages;
};

// --- Addresses --------------------------------------------------------------

struct AddressCase {
    const char* name;
    QString (*typed)(const TestHttpServer&);
};

class NavigateTest : public WebBrowserTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(NavigateTest, OpensTheWebApplicationAsAnAddressBarWould) {
    server.Route("/House/", TestHttpServer::Html(Page("房源", "<p>房源列表</p>")));
    Browser browser;
    ASSERT_TRUE(browser.Load(GetParam().typed(server)));
    EXPECT_EQ(browser.view->url().toString(), server.Url("/House/?DatabaseName=House"));
    ASSERT_EQ(server.CountRequests("/House/"), 1);
    EXPECT_EQ(server.Requests().front().query, QByteArray("DatabaseName=House"));
    EXPECT_TRUE(browser.Text().contains(QStringLiteral("房源列表")));
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, NavigateTest,
    ::testing::Values(
        AddressCase{"BareHostPortPath",
                    [](const TestHttpServer& s) {
                        return QStringLiteral("127.0.0.1:%1/House/?DatabaseName=House").arg(s.port());
                    }},
        AddressCase{"WithScheme", [](const TestHttpServer& s) { return s.Url("/House/?DatabaseName=House"); }},
        AddressCase{"SurroundingBlanks",
                    [](const TestHttpServer& s) {
                        return QStringLiteral("  127.0.0.1:%1/House/?DatabaseName=House \t").arg(s.port());
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebBrowserTest, AnAddressWithoutHostShowsAChinesePageInsteadOfGuessingAHost) {
    Browser browser;
    // What an empty server address leaves of the composed URL.
    ASSERT_TRUE(browser.Load(QStringLiteral("/House/?DatabaseName=House")));
    const QString text = browser.Text();
    EXPECT_TRUE(text.contains(QStringLiteral("无法打开网址"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("/House/?DatabaseName=House")));
    EXPECT_EQ(browser.view->url().scheme(), QStringLiteral("data"));
}

// --- History ----------------------------------------------------------------

TEST_F(WebBrowserTest, MovingThroughAnEmptyHistoryFailsWithANegativeNumber) {
    server.Route("/one", TestHttpServer::Html(Page("one", "1")));
    server.Route("/two", TestHttpServer::Html(Page("two", "2")));
    Browser browser;
    for (auto move : {&WebBrowser::GoBack, &WebBrowser::GoForward}) {
        try {
            (browser.view.get()->*move)();
            ADD_FAILURE() << "no failure with an empty history";
        } catch (const Fault& fault) {
            EXPECT_LT(fault.failure().Number, 0);
            EXPECT_EQ(fault.failure().Number, -2147467259L);
        }
    }

    ASSERT_TRUE(browser.Load(server.Url("/one")));
    ASSERT_TRUE(browser.Load(server.Url("/two")));
    int loads = browser.finishedLoads;
    browser.view->GoBack();
    ASSERT_TRUE(browser.WaitForLoad(loads));
    EXPECT_EQ(browser.view->url(), QUrl(server.Url("/one")));
    EXPECT_THROW(browser.view->GoBack(), Fault);
    loads = browser.finishedLoads;
    browser.view->GoForward();
    ASSERT_TRUE(browser.WaitForLoad(loads));
    EXPECT_EQ(browser.view->url(), QUrl(server.Url("/two")));
}

// --- Printing ---------------------------------------------------------------

enum class PrintRoute { PrintToPdf, PrintDialogToPdfFile };

class PrintTest : public WebBrowserTest, public ::testing::WithParamInterface<PrintRoute> {};

TEST_P(PrintTest, ThePdfHoldsTheTextOfThePageShown) {
    server.Route("/report", TestHttpServer::Html(Page("报表", "<h1>月供明细 Lumaro-4711</h1><p>等额法</p>")));
    Browser browser;
    ASSERT_TRUE(browser.Load(server.Url("/report")));
    test::TempDir folder;
    const QString pdf = QString::fromStdString(folder.file("page.pdf"));

    std::optional<bool> printed;
    QObject::connect(browser.view.get(), &QWebEngineView::printFinished, [&](bool ok) { printed = ok; });
    if (GetParam() == PrintRoute::PrintToPdf) {
        browser.view->PrintToPdf(pdf);
    } else {
        prompts::SetPrintDialog([&](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        browser.view->PrintPage();
    }
    EXPECT_TRUE(browser.view->IsPrinting());
    ASSERT_TRUE(WaitUntil([&] { return printed.has_value(); }, 20000));
    EXPECT_TRUE(*printed);
    EXPECT_FALSE(browser.view->IsPrinting());
    EXPECT_TRUE(messages.messages().empty());

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("月供明细 Lumaro-4711"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("等额法")));
}

INSTANTIATE_TEST_SUITE_P(Routes, PrintTest,
                         ::testing::Values(PrintRoute::PrintToPdf, PrintRoute::PrintDialogToPdfFile),
                         [](const auto& info) {
                             return info.param == PrintRoute::PrintToPdf ? std::string("PrintToPdf")
                                                                         : std::string("PrintDialog");
                         });

// --- New windows ------------------------------------------------------------

struct NewWindowCase {
    const char* name;
    const char* script;
};

class NewWindowTest : public WebBrowserTest, public ::testing::WithParamInterface<NewWindowCase> {};

TEST_P(NewWindowTest, OpensAProgramWindowThatSharesTheLogin) {
    TestHttpServer::Response login = TestHttpServer::Html(
        Page("登录", "<a id=\"blank\" target=\"_blank\" href=\"/popup\">新窗口</a>"));
    login.headers = {{"Set-Cookie", "sid=agent42; Path=/"}};
    server.Route("/login", login);
    server.Route("/popup", TestHttpServer::Html(Page("房源详情", "<p>详情</p>")));
    Browser browser;
    ASSERT_TRUE(browser.Load(server.Url("/login")));

    browser.Run(QString::fromUtf8(GetParam().script));
    ASSERT_TRUE(WaitUntil([] { return OpenBrowserWindows().size() == 1; }));
    BrowserWindow* window = OpenBrowserWindows().front();
    EXPECT_EQ(window->browser()->page()->profile(), WebBrowser::ProgramProfile());
    ASSERT_TRUE(WaitUntil([&] { return window->windowTitle() == QStringLiteral("房源详情"); }));
    EXPECT_EQ(window->browser()->url(), QUrl(server.Url("/popup")));
    EXPECT_TRUE(window->isVisible());

    ASSERT_EQ(server.CountRequests("/popup"), 1);
    for (const auto& request : server.Requests()) {
        if (request.path == "/popup") {
            EXPECT_EQ(request.headers.value("cookie"), QByteArray("sid=agent42"));
        }
    }
    // The window the page asked for can be closed by the page again.
    QPointer<BrowserWindow> guard(window);
    window->browser()->page()->runJavaScript(QStringLiteral("window.close()"));
    EXPECT_TRUE(WaitUntil([&] { return guard.isNull(); }));
}

INSTANTIATE_TEST_SUITE_P(Ways, NewWindowTest,
                         ::testing::Values(NewWindowCase{"TargetBlankLink", "document.getElementById('blank').click()"},
                                           NewWindowCase{"WindowOpen", "window.open('/popup')"}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Downloads --------------------------------------------------------------

TEST_F(WebBrowserTest, ADownloadIsSavedWhereTheUserChoseAndReported) {
    const QByteArray bytes = QByteArray("客户名单\n").repeated(5000);
    server.Route("/export", TestHttpServer::Attachment(QStringLiteral("clients.csv"), bytes));
    server.Route("/list", TestHttpServer::Html(Page("列表", "<a id=\"export\" href=\"/export\">导出</a>")));
    test::TempDir folder;
    const QString target = QString::fromStdString(folder.file("名单.csv"));
    QString proposed;
    prompts::SetSavePathChooser([&](QWidget*, const QString& path) -> std::optional<QString> {
        proposed = path;
        return target;
    });

    Browser browser;
    ASSERT_TRUE(browser.Load(server.Url("/list")));
    browser.Run(QStringLiteral("document.getElementById('export').click()"));
    ASSERT_TRUE(WaitUntil([&] { return !messages.messages().empty(); }, 20000));

    EXPECT_TRUE(proposed.endsWith(QStringLiteral("/clients.csv"))) << proposed.toStdString();
    const auto& message = messages.messages().front();
    EXPECT_EQ(message.title, QStringLiteral("下载完成"));
    EXPECT_TRUE(message.text.contains(target)) << message.text.toStdString();
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), bytes);
    // The page stays where it was.
    EXPECT_EQ(browser.view->url(), QUrl(server.Url("/list")));
}

TEST_F(WebBrowserTest, ADownloadTheUserDeclinesLeavesNoFileAndNoMessage) {
    server.Route("/export", TestHttpServer::Attachment(QStringLiteral("clients.csv"), "a,b\n"));
    server.Route("/list", TestHttpServer::Html(Page("列表", "<a id=\"export\" href=\"/export\">导出</a>")));
    int asked = 0;
    prompts::SetSavePathChooser([&](QWidget*, const QString&) -> std::optional<QString> {
        ++asked;
        return std::nullopt;
    });
    Browser browser;
    ASSERT_TRUE(browser.Load(server.Url("/list")));
    browser.Run(QStringLiteral("document.getElementById('export').click()"));
    ASSERT_TRUE(WaitUntil([&] { return asked == 1; }));
    // Let a wrongly accepted download run its course before looking.
    WaitUntil([] { return false; }, 500);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(browser.view->url(), QUrl(server.Url("/list")));
}

// --- HTTP authentication ----------------------------------------------------

struct LoginCase {
    const char* name;
    std::optional<prompts::Credentials> answer;
    bool shown;
};

class LoginTest : public WebBrowserTest, public ::testing::WithParamInterface<LoginCase> {};

TEST_P(LoginTest, AProtectedPageAsksForUserAndPassword) {
    TestHttpServer::Response secret = TestHttpServer::Html(Page("内部", "<p>内部资料 7731</p>"));
    secret.basicAuth = "agent:秘密";
    server.Route("/secret", secret);
    int asked = 0;
    QString realm;
    prompts::SetCredentialsProvider([&](QWidget*, const QUrl& url, const QString& r) {
        ++asked;
        realm = r;
        EXPECT_EQ(url.host(), QStringLiteral("127.0.0.1"));
        return GetParam().answer;
    });
    Browser browser;
    browser.Load(server.Url("/secret"));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(realm, QStringLiteral("Lumaro test"));
    EXPECT_EQ(browser.Text().contains(QStringLiteral("内部资料 7731")), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LoginTest,
    ::testing::Values(LoginCase{"RightCredentials", prompts::Credentials{"agent", QStringLiteral("秘密")}, true},
                      LoginCase{"Cancelled", std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Certificates -----------------------------------------------------------

TEST_F(WebBrowserTest, AnUntrustedCertificateAsksFirstAndNoKeepsThePageAway) {
    TestHttpServer tls(TestHttpServer::Transport::SelfSignedTls);
    tls.Route("/secure", TestHttpServer::Html(Page("安全", "<p>加密页面 5521</p>")));
    std::vector<std::pair<QString, bool>> questions;  // title, default button
    bool answer = false;
    prompts::SetYesNoQuestion([&](QWidget*, const QString&, const QString& title, bool defaultYes) {
        questions.emplace_back(title, defaultYes);
        return answer;
    });

    Browser browser;
    browser.Load(tls.Url("/secure"));
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].first, QStringLiteral("安全警告"));
    EXPECT_FALSE(questions[0].second) << "the default answer must be no";
    EXPECT_FALSE(browser.Text().contains(QStringLiteral("加密页面 5521")));
    EXPECT_EQ(tls.CountRequests("/secure"), 0);

    answer = true;
    EXPECT_TRUE(browser.Load(tls.Url("/secure")));
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_TRUE(browser.Text().contains(QStringLiteral("加密页面 5521")));
}

// --- Crashed page process ---------------------------------------------------

TEST_F(WebBrowserTest, ACrashedPageShowsAChinesePageWhoseLinkReloads) {
    server.Route("/work", TestHttpServer::Html(Page("工作", "<p>业务页面 9902</p>")));
    Browser browser;
    ASSERT_TRUE(browser.Load(server.Url("/work")));
    const qint64 pid = browser.view->page()->renderProcessPid();
    ASSERT_GT(pid, 0);

    ::kill(static_cast<pid_t>(pid), SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return browser.view->browserPage()->ShowingCrashPage() &&
                                       browser.Text().contains(QStringLiteral("网页无法显示")); }));
    const QString text = browser.Text();
    EXPECT_TRUE(text.contains(QStringLiteral("重新加载")));
    EXPECT_TRUE(text.contains(server.Url("/work"))) << text.toStdString();
    EXPECT_FALSE(browser.view->progressLine()->isVisible());

    const int loads = browser.finishedLoads;
    ASSERT_TRUE(browser.Click(QStringLiteral("reload")));
    ASSERT_TRUE(WaitUntil([&] { return browser.finishedLoads > loads && browser.view->url() == QUrl(server.Url("/work")); }));
    EXPECT_TRUE(browser.Text().contains(QStringLiteral("业务页面 9902")));
    EXPECT_EQ(server.CountRequests("/work"), 2);
    EXPECT_FALSE(browser.view->browserPage()->ShowingCrashPage());
}

// --- Load progress ----------------------------------------------------------

TEST_F(WebBrowserTest, TheProgressLineShowsWhileLoadingAndLeavesCaptionAndStatusAlone) {
    TestHttpServer::Response slow = TestHttpServer::Html(Page("慢页面", "<p>终于到了</p>"));
    slow.held = true;
    server.Route("/slow", slow);
    QMainWindow host;
    host.setWindowTitle(QStringLiteral("Lumaro(前台)"));
    host.statusBar()->showMessage(QStringLiteral("服务电话"));
    auto* browser = new WebBrowser(&host);
    host.setCentralWidget(browser);
    host.resize(900, 700);
    host.show();
    bool finished = false;
    QObject::connect(browser, &QWebEngineView::loadFinished, [&] { finished = true; });
    LoadProgressLine* line = browser->progressLine();
    EXPECT_FALSE(line->isVisible());

    browser->Navigate(server.Url("/slow"));
    ASSERT_TRUE(WaitUntil([&] { return server.CountRequests("/slow") == 1; }));
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->geometry(), QRect(0, 0, browser->width(), LoadProgressLine::Thickness));
    EXPECT_EQ(browser->children().last(), line) << "the line lies over the page";

    server.ReleaseHeld();
    ASSERT_TRUE(WaitUntil([&] { return finished; }));
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(host.windowTitle(), QStringLiteral("Lumaro(前台)"));
    EXPECT_EQ(host.statusBar()->currentMessage(), QStringLiteral("服务电话"));
    EXPECT_EQ(browser->title(), QStringLiteral("慢页面"));
}

// --- The program's own links ------------------------------------------------

TEST_F(WebBrowserTest, ALinkOnTheProgramsOwnPageRaisesItsCommand) {
    Browser browser;
    QStringList commands;
    QObject::connect(browser.view.get(), &WebBrowser::commandRequested, [&](const QString& tool) { commands << tool; });
    const int loads = browser.finishedLoads;
    browser.view->ShowLocalPage(Page("连接失败", "<a id=\"retry\" href=\"lumaro:mConnect\">连接</a>"));
    ASSERT_TRUE(browser.WaitForLoad(loads));
    ASSERT_TRUE(browser.Click(QStringLiteral("retry")));
    ASSERT_TRUE(WaitUntil([&] { return !commands.isEmpty(); }));
    EXPECT_EQ(commands, QStringList{QStringLiteral("mConnect")});
    EXPECT_EQ(browser.view->url().scheme(), QStringLiteral("data")) << "the page stays";
}

TEST_F(WebBrowserTest, APageFromTheNetworkCannotDriveTheProgram) {
    server.Route("/evil", TestHttpServer::Html(Page("x", "<a id=\"exit\" href=\"lumaro:mExit\">退出</a>")));
    server.Route("/after", TestHttpServer::Html(Page("after", "after")));
    Browser browser;
    QStringList commands;
    QObject::connect(browser.view.get(), &WebBrowser::commandRequested, [&](const QString& tool) { commands << tool; });
    ASSERT_TRUE(browser.Load(server.Url("/evil")));
    ASSERT_TRUE(browser.Click(QStringLiteral("exit")));
    browser.Run(QStringLiteral("location.href = 'lumaro:mSetup'"));
    // A later load proves the page's requests have all been dealt with.
    ASSERT_TRUE(browser.Load(server.Url("/after")));
    EXPECT_TRUE(commands.isEmpty()) << commands.join(',').toStdString();
}

// --- Page scripts -----------------------------------------------------------

TEST_F(WebBrowserTest, ScriptAlertsAndQuestionsUseTheProgramsBoxes) {
    server.Route("/page", TestHttpServer::Html(Page("x", "x")));
    Browser browser;
    ASSERT_TRUE(browser.Load(server.Url("/page")));
    browser.Run(QStringLiteral("alert('保存成功')"));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("保存成功"));
    EXPECT_EQ(messages.messages()[0].title, QStringLiteral("来自网页的消息"));

    prompts::SetYesNoQuestion([](QWidget*, const QString& text, const QString&, bool) { return text == "删除？"; });
    EXPECT_EQ(browser.Run(QStringLiteral("confirm('删除？')")), QVariant(true));
    EXPECT_EQ(browser.Run(QStringLiteral("confirm('别的？')")), QVariant(false));
}

// --- Persistent profile -----------------------------------------------------

// The first run of the program for ALoginCookieOutlivesARestart, in a process
// of its own: logs in and ends as the program does.
TEST(WebBrowserRestart, FirstRunLogsIn) {
    const QString url = qEnvironmentVariable("LUMARO_TEST_FIRST_RUN_URL");
    const QString profile = qEnvironmentVariable("LUMARO_TEST_PROFILE");
    if (url.isEmpty() || profile.isEmpty()) GTEST_SKIP() << "runs only as the first run of ALoginCookieOutlivesARestart";
    WebBrowser::ReleaseProfile();
    WebBrowser::SetProfileFolder(profile);
    Browser browser;
    ASSERT_TRUE(browser.Load(url));
    (new BrowserWindow(WebBrowser::ProgramProfile()))->show();  // a page's window still open

    // The end of a run: the program leaves its event loop.
    QTimer::singleShot(0, [] { ui::EndProgram(); });
    QCoreApplication::exec();
    EXPECT_TRUE(OpenBrowserWindows().empty());
    EXPECT_EQ(browser.view->browserPage(), nullptr) << "the page went with the profile";
}

TEST_F(WebBrowserTest, ALoginCookieOutlivesARestart) {
    TestHttpServer::Response login = TestHttpServer::Html(Page("登录", "ok"));
    login.headers = {{"Set-Cookie", "session=lumaro-77; Path=/; HttpOnly"}};  // a session cookie
    server.Route("/login", login);
    server.Route("/home", TestHttpServer::Html(Page("首页", "home")));
    test::TempDir folder;
    const QString profile = QString::fromStdString(folder.file("browser"));

    // The cookie database is written after its profile is gone, so the run
    // that logs in is a process of its own, ending as the program ends.
    QProcess firstRun;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMARO_TEST_FIRST_RUN_URL"), server.Url("/login"));
    environment.insert(QStringLiteral("LUMARO_TEST_PROFILE"), profile);
    firstRun.setProcessEnvironment(environment);
    firstRun.setProcessChannelMode(QProcess::MergedChannels);
    firstRun.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_filter=WebBrowserRestart.FirstRunLogsIn")});
    ASSERT_TRUE(firstRun.waitForFinished(120000));
    const QByteArray output = firstRun.readAll();
    ASSERT_EQ(firstRun.exitStatus(), QProcess::NormalExit) << output.toStdString();
    ASSERT_EQ(firstRun.exitCode(), 0) << output.toStdString();
    ASSERT_EQ(server.CountRequests("/login"), 1) << output.toStdString();

    // The next start: a new profile on the same folder.
    const QString shared = BrowserProfile::StorageFolder();
    WebBrowser::ReleaseProfile();
    WebBrowser::SetProfileFolder(profile);
    {
        Browser browser;
        ASSERT_TRUE(browser.Load(server.Url("/home")));
    }
    WebBrowser::ReleaseProfile();
    WebBrowser::SetProfileFolder(shared);

    const auto requests = server.Requests();
    const auto home = std::find_if(requests.begin(), requests.end(), [](const auto& r) { return r.path == "/home"; });
    ASSERT_NE(home, requests.end());
    EXPECT_EQ(home->headers.value("cookie"), QByteArray("session=lumaro-77"));
}

}  // namespace
}  // namespace lumaro
