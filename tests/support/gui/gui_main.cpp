#include <QApplication>
#include <gtest/gtest.h>

#include "gui/Desktop.h"
#include "shell/browser/compat/CompatLayer.h"
#include "ui/WindowKit.h"

// The window tests' main: a QApplication on the offscreen platform (xcb for a run on a desktop, gui/Desktop.h).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", lumaro::test::IsDesktopRun() ? "xcb" : "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking --disable-component-update");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    ::testing::InitGoogleTest(&argc, argv);
    lumaro::CompatLayer::RegisterScheme();
    QApplication app(argc, argv);
    lumaro::ui::InitApplication();
    return RUN_ALL_TESTS();
}
