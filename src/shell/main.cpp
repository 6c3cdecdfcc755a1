#include <QApplication>
#include <QCoreApplication>
#include <QPointer>

#include "config/Failure.h"
#include "config/mdlINI.h"
#include "ui/WindowKit.h"
#include "shell/browser/compat/CompatLayer.h"
#include "shell/frmMain.h"
#include "shell/frmRegDLl.h"
#include "shell/mdlMain.h"

int main(int argc, char** argv) {
    using namespace lumaro;
    CompatLayer::RegisterScheme();  // before the application, as the engine requires
    QApplication app(argc, argv);
    ui::InitApplication();

    platform::Launcher& launcher = platform::CurrentLauncher();
    QPointer<frmMain> mainWindow;

    StartupHooks hooks;
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
