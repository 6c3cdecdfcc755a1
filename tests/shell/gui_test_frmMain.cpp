// The main window with its real browser, settings file, command bar and status bar, observed
// through a recording launcher, recorded message boxes and ends, and an HTTP server on 127.0.0.1.
#include <chrono>
#include <functional>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QScreen>
#include <QLabel>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include "config/Vendor.h"
#include "config/mdlINI.h"
#include "core/Table.h"
#include "core/TempDir.h"
#include "gui/Desktop.h"
#include "gui/GuiTestKit.h"
#include "gui/TestHttpServer.h"
#include "platform/Platform.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/CommandBar.h"
#include "shell/StatusBarPanel.h"
#include "shell/browser/WebBrowser.h"
#include "shell/frmMain.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::TestHttpServer;
using test::WaitUntil;

// One browser profile; every address but 127.0.0.1 goes to a proxy that is not there.
struct BrowserEnvironment : ::testing::Environment {
    void SetUp() override {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --proxy-server=127.0.0.1:9");
        WebBrowser::SetProfileFolder(QString::fromStdString(folder.file("browser")));
    }
    void TearDown() override { WebBrowser::ReleaseProfile(); }
    test::TempDir folder;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new BrowserEnvironment);

// Runs `action`, closing every modal window it opens; returns their class names, each with what is off about it:
// a window not centred on the screen, not carrying `icon` (the main window's) as its icon and its picture. The
// main window is not shown, so Qt's own placing would centre a dialog over it, away from the screen's centre.
QStringList RunClosingModals(const std::function<void()>& action, const QIcon& icon) {
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen << QString::fromLatin1(modal->metaObject()->className());
            const QPoint off = modal->frameGeometry().center() - modal->screen()->availableGeometry().center();
            if (off.manhattanLength() > 8) seen.last() += " off-centre";  // the frame added after placing aside
            if (modal->windowIcon().cacheKey() != icon.cacheKey()) seen.last() += " with another icon";
            if (auto* picture = modal->findChild<QLabel*>("picIcon");
                picture && picture->pixmap().toImage() != icon.pixmap(picture->pixmap().size()).toImage())
                seen.last() += " with another picture";
            modal->close();  // a dialog is rejected
        }
    });
    closer.start(5);
    action();
    return seen;
}

// Notes whether the window's close came while the address lookup was waited for (its busy cursor up).
struct CloseWatch : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) duringTheLookup = QApplication::overrideCursor() != nullptr;
        return false;
    }
    bool duringTheLookup = false;
};

// A program folder with its settings file; the fixture is the launcher and the print dialog.
class FrmMainTest : public ::testing::Test, public platform::Launcher {
protected:
    void SetUp() override {
        ConfigFilePath = dir.file("ini/Lumaro.lic");
        platform::OverrideExecutablePath(dir.file("Lumaro"));
        platform::SetLauncher(this);
        prompts::SetPrintDialog([this](QWidget*, QPrinter&) { calls << "asks for a printer"; return false; });
    }
    void TearDown() override {
        prompts::SetPrintDialog({});
        platform::SetLauncher(nullptr);
        platform::OverrideExecutablePath(std::nullopt);
        setenv("PATH", savedPath.c_str(), 1);
    }
    bool Open(const std::string& target, platform::Show show) override { return Record("open " + target, show); }
    bool Start(const std::string& program, const std::vector<std::string>& arguments, platform::Show show) override {
        return Record("start " + program + (arguments.empty() ? "" : " with arguments"), show);
    }
    bool Record(const std::string& entry, platform::Show show) {
        calls << QString::fromStdString(entry) + QStringList{"", " hidden", " minimized"}[static_cast<int>(show)];
        return succeed;
    }

    // Written byte for byte, {server} standing for the test server.
    void WriteSettings(std::string bytes) {
        for (size_t at; (at = bytes.find("{server}")) != std::string::npos;) bytes.replace(at, 8, server.Url("").toStdString());
        test::WriteBytes(ConfigFilePath, bytes);
    }
    const std::string kServerSettings = "[ServerINFO]\nServerIP={server}\nDynasetIP=0\nServerID=1\nWebRoot=/House/\nDBName=House\n";
    // The main window, loaded, with an icon of its own that is not the program's.
    frmMain& Load() {
        window = std::make_unique<frmMain>();
        QPixmap own(32, 32);
        own.fill(Qt::darkCyan);
        window->setWindowIcon(QIcon(own));
        window->Form_Load();
        return *window;
    }

    // What a command did: modal windows, launches and printer questions, ends, the address the browser
    // was sent to (and that it asked for), message boxes; {dir} and {server} for the folder and server.
    std::string Effects(const QString& name) {
        calls.clear();
        const int ended = ends.count();
        const size_t said = messages.messages().size();
        QStringList effects;
        for (const QString& modal : RunClosingModals([&] { window->ActiveBar1_ToolClick(name); }, window->windowIcon()))
            effects << "modal " + modal;
        effects << calls;
        for (int i = ended; i < ends.count(); ++i) effects << "end";
        const QUrl url = window->WB->page()->requestedUrl();
        if (!url.isEmpty()) effects << "go " + url.toString();
        EXPECT_TRUE(url.host() != "127.0.0.1" || WaitUntil([&] { return server.CountRequests(url.path()) > 0; }));
        for (const auto& m : std::vector(messages.messages().begin() + said, messages.messages().end()))
            effects << "say " + m.title + ": " + m.text + (m.icon == ui::MsgIcon::None ? "" : " (with an icon)");
        const QString folder = QString::fromStdString(dir.path().string());
        return effects.join("; ").replace(folder, "{dir}").replace(server.Url(""), "{server}").toStdString();
    }

    test::TempDir dir;
    TestHttpServer server;
    QStringList calls;
    bool succeed = true;
    test::MessageRecorder messages;
    test::EndRecorder ends;
    std::string savedPath = std::getenv("PATH");
    std::unique_ptr<frmMain> window;
};

// What the settings file (GBK: 转 is D7 AA) decides at load: the status bar and the about command
// (off only for exactly "False"), the Tel panel, where 主页 goes. The panels have their design widths
// (the last one takes what is left) and three styles: the labels', the values', the last one's.
TEST_F(FrmMainTest, SettingsReadAtLoad) {
    const struct { const char* settings; bool barShown; QString tel; const char* home; } rows[] = {
        {"[Setup]\nStatusBar=False\n", false, vendor::Telephone, vendor::WebSite},
        {"[setup]\nStatusBar=False\nMainWeb={server}/home\n[ServerTel]\nTel=010-12345678\n", false, "010-12345678", "{server}/home"},
        {"[Setup]\nStatusBar=false\nMainWeb={server}/home\n[servertel]\nTel=8888 \xD7\xAA 12\n", true, "8888 转 12", "{server}/home"},
        {"[Setup]\nStatusBar=FALSE\nMainWeb=\n[ServerTel]\nTel=\n", true, vendor::Telephone, vendor::WebSite},
        {"[Setup]\nStatusBar=True\nOther=False\n", true, vendor::Telephone, vendor::WebSite},
        {"", true, vendor::Telephone, vendor::WebSite},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.settings);
        WriteSettings(row.settings);
        frmMain& w = Load();
        EXPECT_TRUE(w.windowTitle() == "Lumaro(前台)" && (w.windowState() & Qt::WindowMaximized));
        EXPECT_EQ(w.sbStatusBar->isHidden(), !row.barShown);
        for (const QAction* a : w.ActiveBar1->tool("mAbout")->actions()) EXPECT_EQ(a->isEnabled() && a->isVisible(), row.barShown);
        const QList<QLabel*> panels = w.sbStatusBar->findChildren<QLabel*>();
        QStringList texts, styles;  // each distinct style once, its letter its place
        QString groups;
        for (const QLabel* panel : panels) {
            texts << panel->text();
            const QString style = QString("%1 %2 %3").arg(panel->frameStyle()).arg(panel->alignment()).arg(panel->sizePolicy().horizontalPolicy());
            if (!styles.contains(style)) styles << style;
            groups += char('A' + styles.indexOf(style));
        }
        EXPECT_EQ(texts.join('|').toStdString(), (QString("软件开发商：|") + vendor::Company + "|服务电话：|" + row.tel +
                                                  "|电子邮箱：|" + vendor::EMail).toStdString());
        EXPECT_EQ(groups, "ABABAC");
        EXPECT_EQ(Effects("mHomePage"), "go " + std::string(row.home));
        w.Connection().SetDialogRunner([](QWidget*) {});
        w.showNormal();
        w.resize(1000, 500);
        ASSERT_TRUE(WaitUntil([&] { return w.sbStatusBar->isHidden() || w.sbStatusBar->width() == 1000; }));
        const int design[] = {1250, 3000, 1250, 2500, 1250, 1440};
        for (int i = 0; i < 6 && row.barShown; ++i)
            EXPECT_EQ(i < 5 ? panels[i]->width() : std::min(panels[i]->width(), panels[i]->sizeHint().width()), ui::TwipsX(design[i])) << i;
    }
}

// In a narrow window the status bar's values shrink with it instead of vanishing: each shows what fits, ending in
// "…", with the whole value as its tooltip; the labels stay whole. At 640 pixels, and at the design size.
TEST_F(FrmMainTest, NarrowWindowsShortenTheStatusValues) {
    WriteSettings("[ServerTel]\nTel=010-12345678 转 8001\n");
    frmMain& w = Load();
    w.Connection().SetDialogRunner([](QWidget*) {});
    w.showNormal();
    for (const int width : {640, ui::TwipsX(7080), 2000}) {
        SCOPED_TRACE(width);
        w.resize(width, 500);
        ASSERT_TRUE(WaitUntil([&] { return w.sbStatusBar->width() == width; }));
        QStringList wrong;
        for (const QLabel* label : w.sbStatusBar->findChildren<QLabel*>()) {
            const auto* panel = qobject_cast<const StatusBarPanel*>(label);
            const QString shown = panel->ShownText(), whole = panel->text();
            const bool visible = panel->isVisible() && panel->contentsRect().width() > 0;
            if (shown == whole && visible && panel->toolTip().isEmpty() &&
                panel->fontMetrics().horizontalAdvance(whole) <= panel->contentsRect().width())
                continue;  // whole
            if (visible && shown.size() >= 2 && shown.endsWith(QStringLiteral("…")) && whole.startsWith(shown.chopped(1)) &&
                panel->toolTip() == whole)
                continue;  // shortened, the whole value in its tooltip
            wrong << whole + " shown as \"" + shown + "\"";
        }
        EXPECT_EQ(wrong.join(", ").toStdString(), "");
    }
}

// The address lookup waits 10 seconds for the service, as the window runs it (the tests that reach the lookup set
// their own time-outs, and show that the one set is the one used).
TEST_F(FrmMainTest, TheLookupWaitsTenSeconds) {
    EXPECT_EQ(Load().Connection().LookupTimeout(), std::chrono::seconds(10));
}

// Every name the bar can deliver, and names it cannot (tables/dispatch.txt), in a window whose server, home page,
// help file and calculator are all there (and its status bar off).
TEST_F(FrmMainTest, DispatchByName) {
    WriteSettings(kServerSettings + "[setup]\nMainWeb={server}/home\nStatusBar=False\n");
    test::WriteBytes(dir.path() / "help.chm", "ITSF");
    test::WriteBytes(dir.path() / "bin" / "kcalc", "#!/bin/sh\n");  // a desktop calculator on the search path
    fs::permissions(dir.path() / "bin" / "kcalc", fs::perms::owner_all);
    setenv("PATH", dir.file("bin").c_str(), 1);
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/dispatch.txt")) {
        Load();
        EXPECT_EQ(Effects(QString::fromStdString(row.at(0))), row.at(1)) << row.at(0);
    }
    // A calculator that cannot be started is reported after the command, its number in the title.
    succeed = false;
    EXPECT_EQ(Effects("mCalcSZ"), "start {dir}/bin/kcalc minimized; say 错误号：53: 文件未找到");
    fs::remove(dir.path() / "help.chm");
    EXPECT_EQ(Effects("mHelp"), "");
    // 主页 reads its address when it is picked.
    WriteSettings("[setup]\nMainWeb={server}/changed\n");
    EXPECT_EQ(Effects("mHomePage"), "go {server}/changed");
}

// Only the first activation connects, also when the window is activated again while that connection runs (its
// server dialog is up). Back, forward and refresh load pages, picked by their tools or by the keys people use in
// browsers (pressed on the page); 停止 and Esc end a hanging load; Ctrl+P prints; all silently, the caption
// unchanged. Closing the window ends it.
TEST_F(FrmMainTest, FirstActivationAndBrowserCommands) {
    server.Route("/House/", TestHttpServer::Html("listing"));
    frmMain& w = Load();
    int loads = 0, dialogs = 0;
    QObject::connect(w.WB, &QWebEngineView::loadFinished, [&] { ++loads; });
    QWidget other;
    const auto activate = [](QWidget& target) {
        target.show();
        target.activateWindow();
        return WaitUntil([&] { return QApplication::activeWindow() == &target; });
    };
    // No server stored: the first activation connects, asking for one; activations meanwhile and later do not.
    w.Connection().SetDialogRunner([&](QWidget*) {
        ++dialogs;
        EXPECT_TRUE(activate(other) && activate(w));
        WriteSettings(kServerSettings);
    });
    ASSERT_TRUE(activate(w) && WaitUntil([&] { return loads == 1; }));
    ASSERT_TRUE(activate(other) && activate(w));
    w.WB->setFocus();
    const auto pick = [&](const char* step) {  // a path: navigate there; a name: its tool; else keys
        if (*step == '/') w.WB->Navigate(server.Url(step));
        else if (*step == 'm') w.ActiveBar1_ToolClick(step);
        else test::PressKeys(w.windowHandle(), step);
    };
    const auto pickAndLoad = [&](const char* step) {
        const int before = loads;
        pick(step);
        return WaitUntil([&] { return loads == before + 1; });
    };

    // Each step, then the page shown once its load has finished.
    const std::pair<const char*, const char*> steps[] = {
        {"/a", "/a"}, {"/b", "/b"}, {"mGoback", "/a"}, {"mGoon", "/b"}, {"mRefresh", "/b"},
        {"Alt+Left", "/a"}, {"Alt+Right", "/b"}, {"F5", "/b"}};
    for (const auto& [step, shown] : steps) {
        server.Route(shown, TestHttpServer::Html(shown));
        ASSERT_TRUE(pickAndLoad(step)) << step;
        EXPECT_EQ(w.WB->url(), QUrl(server.Url(shown))) << step;
    }
    EXPECT_EQ(server.CountRequests("/b"), 3);
    w.ActiveBar1_ToolClick("mGoon");  // at the end of the history: silently nothing

    // 停止 and Esc end a load that hangs.
    TestHttpServer::Response slow = TestHttpServer::Html("slow");
    slow.held = true;
    server.Route("/slow", slow);
    for (const char* stop : {"mStop", "Esc"}) {
        const int asked = server.CountRequests("/slow");
        w.WB->Navigate(server.Url("/slow"));
        ASSERT_TRUE(WaitUntil([&] { return server.CountRequests("/slow") == asked + 1; }));
        EXPECT_TRUE(pickAndLoad(stop)) << stop << " ends the load";
    }
    server.ReleaseHeld();

    calls.clear();
    pick("Ctrl+P");
    EXPECT_TRUE(WaitUntil([&] { return calls == QStringList{"asks for a printer"}; }));
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(w.windowTitle(), "Lumaro(前台)") << "pages leave the caption alone";
    EXPECT_TRUE(dialogs == 1 && server.CountRequests("/House/") == 1) << "one connection";
    w.close();
    EXPECT_EQ(ends.count(), 1) << "closing the window ends the program";
}

// On a desktop, shown as start-up shows it: once the browser's surface is there (the first connection
// has begun and waits for the lookup), the window is maximized with every tool and status panel whole.
// Closed through the window manager during that lookup, the program ends at once.
TEST_F(FrmMainTest, OnADesktopItOpensMaximizedAndClosesAtOnceEvenDuringTheLookup) {
    if (!test::OnDesktop()) return;
    ui::SetEndProgramHook({});  // the real end
    TestHttpServer::Response lookup = TestHttpServer::Html("<IP>" + server.Url("") + "</IP>");
    lookup.held = true;  // never answered
    server.Route("/register/ReadIP.asp", lookup);
    WriteSettings("[ServerINFO]\nServerIP={server}/register/ReadIP.asp\nDynasetIP=1\nServerID=888\nWebRoot=/House/\nDBName=House\n");
    frmMain& w = Load();
    w.Connection().SetLookupTimeout(std::chrono::seconds(30));
    CloseWatch close;
    w.installEventFilter(&close);

    bool maximized = false;
    QString seen;  // the window's state and frame
    QStringList cut;  // tools out of sight, status panels cut off
    const QDeadlineTimer patience(10000);
    QTimer watch;  // runs while the window waits for the lookup
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (server.CountRequests("/register/ReadIP.asp") == 0) return;
        maximized = (w.windowState() & Qt::WindowMaximized) && w.frameGeometry() == w.screen()->availableGeometry();
        if (!maximized && !patience.hasExpired()) return;
        watch.stop();
        QDebug(&seen) << w.windowState() << w.frameGeometry() << "on" << w.screen()->availableGeometry();
        for (QAction* a : w.ActiveBar1->toolBar()->actions())
            if (!a->isSeparator() && !w.ActiveBar1->toolBar()->widgetForAction(a)->isVisible()) cut << a->text();
        for (const QLabel* panel : w.sbStatusBar->findChildren<QLabel*>())
            if (panel->contentsRect().width() < panel->fontMetrics().horizontalAdvance(panel->text())) cut << panel->text();
        test::CloseThroughWindowManager(w);
    });
    watch.start(20);
    QTimer::singleShot(60000, [] { QCoreApplication::exit(1); });  // the program did not end
    w.show();
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(maximized) << seen.toStdString();
    EXPECT_EQ(cut.join(", ").toStdString(), "");
    EXPECT_TRUE(w.isHidden());
    EXPECT_TRUE(close.duringTheLookup) << "the close waited for the lookup to end";
}

}  // namespace
}  // namespace lumaro
