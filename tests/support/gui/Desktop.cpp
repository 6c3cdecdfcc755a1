#include "gui/Desktop.h"

#include <cstdlib>
#include <memory>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QWidget>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <xcb/xcb.h>

namespace lumaro::test {
namespace {

constexpr const char* kChildVariable = "LUMARO_TEST_DESKTOP";

// Reads the process's output until a line satisfies `done`; false if it ends or stays silent first.
template <class Done>
bool ReadUntil(QProcess& process, Done done) {
    while (process.waitForReadyRead(15000))
        while (process.canReadLine())
            if (done(QString::fromUtf8(process.readLine()).trimmed())) return true;
    return false;
}

// The X server and the window manager, ended when the QApplication goes.
class Desktop : public QObject {
public:
    Desktop() : QObject(qApp) {
        TieToTest(xvfb_);
        // The server picks a free display itself and writes its number to standard output.
        xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        ReadUntil(xvfb_, [&](const QString& line) {
            bool number = false;
            line.toInt(&number);
            if (number) display = ":" + line;
            return number;
        });
        if (display.isEmpty()) return;
        TieToTest(openbox_);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        openbox_.setProcessEnvironment(environment);
        // Openbox runs the start-up command once it manages the screen.
        openbox_.start("openbox", {"--sm-disable", "--startup", "echo lumaro-desktop-ready"});
        if (!ReadUntil(openbox_, [](const QString& line) { return line == "lumaro-desktop-ready"; })) display.clear();
    }
    ~Desktop() override {
        for (QProcess* process : {&openbox_, &xvfb_}) {
            process->terminate();
            if (!process->waitForFinished(5000)) process->kill();
            process->waitForFinished(5000);
        }
    }

    QString display;  // ":<number>", empty when the desktop could not be started

private:
    QProcess xvfb_;
    QProcess openbox_;
};

}  // namespace

void TieToTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

bool IsDesktopRun() { return qEnvironmentVariableIsSet(kChildVariable); }

bool OnDesktop() {
    if (IsDesktopRun()) return true;

    static Desktop* desktop = new Desktop;
    if (desktop->display.isEmpty()) {
        ADD_FAILURE() << "no desktop: Xvfb and openbox are needed";
        return false;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess run;
    TieToTest(run);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", desktop->display);
    environment.insert(kChildVariable, "1");
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::ForwardedChannels);  // its output joins this test's
    run.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    if (!run.waitForFinished(180000)) {
        run.kill();
        run.waitForFinished(5000);
    }
    EXPECT_TRUE(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0) << "the test failed on the desktop";
    return false;
}

void CloseThroughWindowManager(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_TRUE(x11) << "not on an X11 desktop";
    xcb_connection_t* connection = x11->connection();
    const char name[] = "_NET_CLOSE_WINDOW";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    ASSERT_TRUE(atom);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());
    message.type = atom->atom;
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2;  // asked for by the user (through a pager or a task bar)
    std::free(atom);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

}  // namespace lumaro::test
