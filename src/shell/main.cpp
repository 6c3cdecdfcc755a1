#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QWindow>
#include <cstdio>
#include <cstring>

#include "Version.h"
#include "config/Failure.h"
#include "config/SettingsLayers.h"
#include "config/mdlINI.h"
#include "ui/WindowKit.h"
#include "shell/RunningCopy.h"
#include "shell/browser/BrowserProfile.h"
#include "shell/browser/compat/CompatLayer.h"
#include "shell/frmMain.h"
#include "shell/frmRegDLl.h"
#include "shell/mdlMain.h"

namespace {

// The window the second start asked for: restored, on top and active; a dialog
// open over it comes along.
void ComeForward(QWidget* window) {
    if (!window) return;
    const auto forward = [window] {
        window->raise();
        window->activateWindow();
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->raise();
            dialog->activateWindow();
        }
    };
    const bool minimized = window->windowState() & Qt::WindowMinimized;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    forward();
    // A window coming back from the task bar is mapped again only later, and
    // the window manager may not activate it before: once more when it is back.
    if (QWindow* handle = window->windowHandle(); handle && minimized) {
        auto* once = new QObject(window);
        QObject::connect(handle, &QWindow::windowStateChanged, once, [forward, once](Qt::WindowState state) {
            if (state == Qt::WindowMinimized) return;
            forward();
            once->deleteLater();
        });
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lumaro;
    // Answered before anything of the desktop is needed: package tools and scripts ask without one.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("lumaro %s\n", version::Text);
        return 0;
    }
    CompatLayer::RegisterScheme();  // before the application, as the engine requires
    QApplication app(argc, argv);
    ui::InitApplication();
    // The desktop entry's name: docks and Wayland match the window to the launcher by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.lumaro.Lumaro"));

    platform::Launcher& launcher = platform::CurrentLauncher();
    QPointer<frmMain> mainWindow;
    std::unique_ptr<RunningCopy> runningCopy;

    StartupHooks hooks;
    hooks.HandToRunningCopy = [&runningCopy, &mainWindow] {
        const QString key = RunningCopy::KeyFor(ConfigFilePath, MachineConfigFilePath);
        // Each program folder's copy keeps its logins and cache apart from the others'.
        BrowserProfile::SetStorageFolder(RunningCopy::DataFolderFor(key, CurrentLayout() == SettingsLayout::Installed) +
                                         QStringLiteral("/browser"));
        runningCopy = std::make_unique<RunningCopy>(key);
        return runningCopy->HandOver([&mainWindow] { ComeForward(mainWindow); });
    };
    hooks.LoadRegistrationWindow = [&launcher] {
        frmRegDLl(launcher, [] { QCoreApplication::processEvents(); }).Form_Load();
    };
    hooks.ShowInformation = [](const std::string& text, const std::string& title) {
        ui::MsgBox(nullptr, ui::Q(text), ui::Q(title), ui::MsgIcon::Information);
    };
    hooks.ShowMainWindow = [&mainWindow] {
        mainWindow = new frmMain;
        mainWindow->Form_Load();
        mainWindow->show();
    };

    int exitCode = 0;
    try {
        if (Main(hooks, launcher) == StartupOutcome::MainWindowShown) exitCode = app.exec();
    } catch (const Fault& fault) {
        // Start-up has no recovery of its own: report the failure and end.
        const auto& failure = fault.failure();
        ui::MsgBox(nullptr,
                   QStringLiteral("实时错误 '%1':\n\n%2").arg(failure.Number).arg(ui::Q(failure.Description)),
                   ui::Q(GetExecutableBaseName()), ui::MsgIcon::Warning);
        exitCode = 1;
    }

    // The browser's pages and views must go before its profile, which the application owns.
    delete mainWindow.data();
    return exitCode;
}
