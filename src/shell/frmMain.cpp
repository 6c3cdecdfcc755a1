#include "shell/frmMain.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <QAction>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <string>

#include "about/frmAbout.h"
#include "config/Failure.h"
#include "config/Vendor.h"
#include "config/frmServer.h"
#include "config/mdlINI.h"
#include "mortgage/frmAJZX.h"
#include "platform/Platform.h"
#include "shell/CommandBar.h"
#include "shell/StatusBarPanel.h"
#include "shell/UserGuide.h"
#include "shell/mdlMain.h"
#include "shell/browser/WebBrowser.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

enum class PanelStyle { Label, Value, Last };

struct PanelDef {
    const char* key;  // "" for a panel nobody looks up
    const char* text;
    int widthTwips;
    PanelStyle style;
};

constexpr PanelDef kPanels[] = {
    {"", "软件开发商：", 1250, PanelStyle::Label},
    {"CopyRight", vendor::Company, 3000, PanelStyle::Value},
    {"", "服务电话：", 1250, PanelStyle::Label},
    {"Tel", vendor::Telephone, 2500, PanelStyle::Value},
    {"", "电子邮箱：", 1250, PanelStyle::Label},
    {"", vendor::EMail, 1440, PanelStyle::Last},
};

// A program that was there but could not be started.
Fault CannotStart() { return {53, "文件未找到"}; }

// The system's numeric calculator, if this machine has one.
std::optional<std::string> NumericCalculator() {
#ifdef _WIN32
    const std::string path = GetSystemFolder() + "calc.exe";
    if (platform::FileExists(path)) return path;
    return std::nullopt;
#else
    // No calc.exe here: the first of the usual desktop calculators on the search path.
    for (const char* name : {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "mate-calc", "xcalc"})
        if (auto path = platform::FindOnPath(name)) return path;
    return std::nullopt;
#endif
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent), connection_(this) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Lumaro(前台)"));
    setWindowIcon(ui::AppIcon());

    ActiveBar1 = new CommandBar(this);
    ActiveBar1->setObjectName(QStringLiteral("ActiveBar1"));

    WB = new WebBrowser(this);
    WB->setObjectName(QStringLiteral("WB"));
    setCentralWidget(WB);

    sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setFont(QFont(QStringLiteral("宋体"), 9));
    int index = 0;
    for (const PanelDef& def : kPanels) {
        auto* panel = new StatusBarPanel(QString::fromUtf8(def.text), ui::TwipsX(def.widthTwips), def.style != PanelStyle::Label,
                                sbStatusBar);
        ++index;
        panel->setObjectName(*def.key ? QString::fromUtf8(def.key) : QStringLiteral("Panel%1").arg(index));
        switch (def.style) {
        case PanelStyle::Label:
            panel->setFrameStyle(QFrame::NoFrame);
            panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            panel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
            break;
        case PanelStyle::Value:
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            panel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
            break;
        case PanelStyle::Last:
            // Takes what is left of the bar.
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            break;
        }
        sbStatusBar->addWidget(panel, def.style == PanelStyle::Last ? 1 : 0);
    }
    setStatusBar(sbStatusBar);

    connect(ActiveBar1, &CommandBar::toolClick, this, &frmMain::ActiveBar1_ToolClick);
    // Esc stops a page while it loads; a loaded page keeps Esc for itself (to close its own pop-ups).
    if (QAction* esc = ActiveBar1->keyAction(QStringLiteral("mStop"))) {
        esc->setEnabled(false);
        connect(WB, &QWebEngineView::loadStarted, esc, [esc] { esc->setEnabled(true); });
        connect(WB, &QWebEngineView::loadFinished, esc, [esc] { esc->setEnabled(false); });
    }
    connect(WB, &WebBrowser::commandRequested, this, [this](const QString& name) {
        // A page of the program's own may ask only for what the bar offers right now.
        const Tool* tool = ActiveBar1->tool(name);
        if (tool && tool->isEnabled()) ActiveBar1_ToolClick(name);
    });

    // Design size of the client area (the bars lie outside it); it opens maximized.
    resize(ui::TwipsX(7080),
           ui::TwipsY(6330) + ActiveBar1->menuBar()->sizeHint().height() + ActiveBar1->toolBar()->sizeHint().height());
    setWindowState(Qt::WindowMaximized);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
    if (ReadIniString(ConfigFilePath, "Setup", "StatusBar") == "False") {
        sbStatusBar->hide();
        if (Tool* about = ActiveBar1->tool(QStringLiteral("mAbout"))) {
            about->setEnabled(false);
            about->setVisible(false);
        }
    }
    if (QLabel* panel = StatusPanel(QStringLiteral("CopyRight"))) panel->setText(QString::fromUtf8(vendor::Company));
    std::string tel = ReadIniString(ConfigFilePath, "ServerTel", "Tel");
    if (tel.empty()) tel = vendor::Telephone;
    if (QLabel* panel = StatusPanel(QStringLiteral("Tel"))) panel->setText(ui::Q(tel));
}

QLabel* frmMain::StatusPanel(const QString& key) const {
    return key.isEmpty() ? nullptr : sbStatusBar->findChild<QLabel*>(key, Qt::FindDirectChildrenOnly);
}

bool frmMain::event(QEvent* e) {
    // When the browser's surface arrives the window is created anew on screen,
    // and the new native window would come up in the normal state: it gets the
    // state asked for (maximized) before the window manager maps it.
    if (e->type() == QEvent::WinIdChange)
        if (QWindow* handle = windowHandle(); handle && handle->windowStates() != windowState())
            handle->setWindowStates(windowState());
    const bool handled = QMainWindow::event(e);
    // Without a window manager (a kiosk X server) a shown window may never become
    // the active one; its first showing then stands for the first activation.
    if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && connectedOnce_ == 0)
        WhenBrowserReady([this] {
            if (isVisible()) Form_Activate();
        });
    return handled;
}

// The browser's drawing surface arrives a moment after the window is first shown,
// and the window is then created anew on screen: a dialog opened before that
// (the server dialog of the first connection) would end up behind it.
void frmMain::WhenBrowserReady(const std::function<void()>& then) {
    auto* wait = new QTimer(this);
    wait->setInterval(20);
    const QDeadlineTimer patience(2000);
    connect(wait, &QTimer::timeout, this, [this, wait, patience, then] {
        if (!WB->focusProxy() && !patience.hasExpired()) return;
        wait->deleteLater();
        wait->stop();
        then();
    });
    wait->start();
}

void frmMain::Form_Activate() {
    if (connectedOnce_ != 0) return;
    // Claimed before connecting: the connection may run a nested event loop (the
    // server dialog, the address lookup) in which this window is activated again.
    connectedOnce_ = 1;
    ConnectWebServer();
}

void frmMain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void frmMain::Form_Resize() {
    // Nothing to compute: WB is the central widget, so the window's layout already
    // keeps it filling the area between the bars and the status bar (or the bottom
    // edge while the status bar is hidden), and a minimized window moves nothing.
}

void frmMain::closeEvent(QCloseEvent* e) {
    e->accept();
    Form_Unload();
}

void frmMain::Form_Unload() { ui::EndProgram(); }

void frmMain::ConnectWebServer() { connection_.Connect(*WB); }

void frmMain::ActiveBar1_ToolClick(const QString& name) {
    SuppressedSteps steps;
    if (name == QLatin1String("mPrint")) {
        steps.Run([&] { WB->PrintPage(); });
    } else if (name == QLatin1String("mSetup")) {
        steps.Run([&] {
            frmServer dlg(this);
            dlg.exec();
        });
    } else if (name == QLatin1String("mConnect")) {
        steps.Run([&] { ConnectWebServer(); });
    } else if (name == QLatin1String("mGoon")) {
        steps.Run([&] { WB->GoForward(); });
    } else if (name == QLatin1String("mGoback")) {
        steps.Run([&] { WB->GoBack(); });
    } else if (name == QLatin1String("mRefresh")) {
        steps.Run([&] { WB->Refresh(); });
    } else if (name == QLatin1String("mStop")) {
        steps.Run([&] { WB->Stop(); });
    } else if (name == QLatin1String("mHomePage")) {
        std::string home;
        steps.Run([&] {
            home = ReadIniString(ConfigFilePath, "setup", "MainWeb");
            if (home.empty()) home = vendor::WebSite;
        });
        steps.Run([&] { WB->Navigate(ui::Q(home)); });
    } else if (name == QLatin1String("mCalcAJ")) {
        steps.Run([&] {
            frmAJZX dlg(this);
            dlg.exec();
        });
    } else if (name == QLatin1String("mCalcSZ")) {
        std::optional<std::string> calculator;
        steps.Run([&] { calculator = NumericCalculator(); });
        steps.Run([&] {
            if (calculator && !platform::CurrentLauncher().Start(*calculator, {}, platform::Show::MinimizedWithFocus))
                throw CannotStart();
        });
    } else if (name == QLatin1String("mAbout")) {
        steps.Run([&] {
            frmAbout dlg(this);
            dlg.exec();
        });
    } else if (name == QLatin1String("mHelp")) {
        std::string help;
        steps.Run([&] { help = GetAppFolder() + "help.chm"; });
        steps.Run([&] {
            if (platform::FileExists(help)) platform::CurrentLauncher().Open(help, platform::Show::Normal);
            // An installed client has no help.chm: its package brought a guide instead.
            else if (CurrentLayout() == SettingsLayout::Installed) ShowUserGuide();
        });
    } else if (name == QLatin1String("mExit")) {
        steps.Run([&] { ui::EndProgram(); });
    }

    // Only the program's own failures are reported; the browser's negative codes
    // (nothing to go back to) are not.
    const std::optional<Failure>& failure = steps.LastFailure();
    if (failure && failure->Number > 0)
        ui::MsgBox(this, ui::Q(failure->Description), QStringLiteral("错误号：") + QString::number(failure->Number));
}

}  // namespace lumaro
