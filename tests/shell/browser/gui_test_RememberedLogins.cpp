// HTTP log-ins remembered in the desktop's keyring: a Secret Service of the test's own (gnome-keyring in a private
// D-Bus session, both ended with the test), a real log-in box answered with keys and clicks, and a server on
// 127.0.0.1 that asks for Basic log-ins. A restart is a browser on a new profile: it has no log-in of its own.
#include <QApplication>
#include <QCheckBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

#include "core/TempDir.h"
#include "gui/Desktop.h"
#include "gui/GuiTestKit.h"
#include "gui/TestHttpServer.h"
#include "shell/browser/WebBrowser.h"

namespace lumaro {
namespace {

using test::TestHttpServer;
using test::WaitUntil;

// dbus-daemon and gnome-keyring-daemon, unlocked, with a login keyring in a folder of the test's.
class PrivateSecretService {
public:
    PrivateSecretService() {
        // A session bus that starts nothing by itself: asked for a name, the standard one would start a keyring
        // daemon of its own, one that knows no login keyring and outlives the test.
        test::WriteBytes(dir_.path() / "bus.conf",
                         "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\"\n"
                         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                         "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                         "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                         "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
        bus_.setProgram(QStringLiteral("dbus-daemon"));
        bus_.setArguments({"--config-file=" + ui::Q(dir_.file("bus.conf")), "--nofork", "--print-address=1"});
        test::TieToTest(bus_);
        bus_.start();
        if (!bus_.waitForReadyRead(10000)) return;
        address_ = QString::fromUtf8(bus_.readLine()).trimmed();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* folder : {"data", "run"}) QDir(ui::Q(dir_.path().string())).mkpath(folder);
        environment.insert("HOME", ui::Q(dir_.path().string()));
        environment.insert("XDG_DATA_HOME", ui::Q(dir_.file("data")));
        environment.insert("XDG_RUNTIME_DIR", ui::Q(dir_.file("run")));
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
        keyring_.setProcessEnvironment(environment);
        keyring_.setProgram(QStringLiteral("gnome-keyring-daemon"));
        keyring_.setArguments({"--foreground", "--unlock", "--components=secrets"});
        test::TieToTest(keyring_);
        keyring_.start();
        keyring_.write("lumaro-test");  // the login keyring's password, created unlocked
        keyring_.closeWriteChannel();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
        // Ready once the keyring daemon has its name and its login keyring, unlocked.
        WaitUntil([] {
            if (!QDBusConnection::sessionBus().interface()->isServiceRegistered("org.freedesktop.secrets")) return false;
            QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.secrets", "/org/freedesktop/secrets/collection/login",
                                                               "org.freedesktop.DBus.Properties", "Get");
            call << QStringLiteral("org.freedesktop.Secret.Collection") << QStringLiteral("Locked");
            const QDBusReply<QDBusVariant> reply = QDBusConnection::sessionBus().call(call);
            return reply.isValid() && !reply.value().variant().toBool();
        }, 20000);
    }
    ~PrivateSecretService() {
        for (QProcess* process : {&keyring_, &bus_}) {
            process->terminate();
            if (!process->waitForFinished(5000)) process->kill(), process->waitForFinished(5000);
        }
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    bool Running() const { return !address_.isEmpty() && keyring_.state() == QProcess::Running; }
    const test::TempDir& folder() const { return dir_; }

private:
    test::TempDir dir_;
    QProcess bus_, keyring_;
    QString address_;
};

// How the log-in box was found and answered: refused said, the user proposed, 记住密码 ticked at first.
struct Asked {
    bool refusedSaid = false;
    QString proposedUser;
    bool rememberTicked = false;
};

class RememberedLoginsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { service = std::make_unique<PrivateSecretService>(); }
    static void TearDownTestSuite() { service.reset(); }
    void SetUp() override { ASSERT_TRUE(service->Running()) << "no private Secret Service (dbus-daemon, gnome-keyring)"; }
    void TearDown() override {
        view.reset();
        WebBrowser::ReleaseProfile();
    }

    // The program started again: a new browser on a profile of its own, which knows no log-in.
    void Restart() {
        view.reset();
        WebBrowser::ReleaseProfile();
        WebBrowser::SetProfileFolder(ui::Q(profiles.file("profile" + std::to_string(++restarts))));
        view = std::make_unique<QMainWindow>();
        browser = new WebBrowser;
        view->setCentralWidget(browser);
        view->show();
    }

    // Loads `path`, answering each log-in box with the next of `answers` ("password", "password+toggle" clicking
    // 记住密码, or "cancel"), the user name typed when the box proposes none. Returns the boxes seen.
    std::vector<Asked> LoadAnswering(const QString& path, QStringList answers) {
        std::vector<Asked> asked;
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || box->windowTitle() != QStringLiteral("需要登录")) return;
            auto* user = box->findChild<QLineEdit*>("txtUser");
            auto* remember = box->findChild<QCheckBox*>("chkRemember");
            const auto* refused = box->findChild<QLabel*>("lblRefused");
            if (!user || !remember) {  // a box without 记住密码
                asked.push_back({});
                test::PressKey(box->windowHandle(), Qt::Key_Escape);
                return;
            }
            asked.push_back({refused && refused->isVisible(), user->text(), remember->isChecked()});
            const QString answer = answers.isEmpty() ? QStringLiteral("cancel") : answers.takeFirst();  // one too many
            if (answer == "cancel") {
                test::PressKey(box->windowHandle(), Qt::Key_Escape);
                return;
            }
            if (user->text().isEmpty()) {
                test::Type(box->windowHandle(), "agent");
                test::PressKey(box->windowHandle(), Qt::Key_Tab);
            }
            test::Type(box->windowHandle(), answer.section('+', 0, 0));
            // On the box itself: a check box takes clicks on its box and words only.
            if (answer.contains('+')) test::Click(remember, QPoint(remember->height() / 2, remember->height() / 2));
            for (QPushButton* button : box->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("确定")) test::Click(button);
        });
        answerer.start(20);
        std::optional<bool> loaded;
        QObject tie;
        QObject::connect(browser, &QWebEngineView::loadFinished, &tie, [&](bool ok) { loaded = ok; });
        browser->Navigate(server.Url(path));
        WaitUntil([&] { return loaded.has_value(); }, 30000);
        return asked;
    }
    QString Shown() {
        std::optional<QString> text;
        browser->page()->toPlainText([&](const QString& t) { text = t; });
        WaitUntil([&] { return text.has_value(); });
        return text.value_or(QString());
    }
    void Protect(const QString& path, const char* login) {
        TestHttpServer::Response page = TestHttpServer::Html(QStringLiteral("<p>内部资料 7731</p>"));
        page.basicAuth = login;
        server.Route(path, page);
    }

    static inline std::unique_ptr<PrivateSecretService> service;
    test::TempDir profiles;
    int restarts = 0;
    TestHttpServer server;
    std::unique_ptr<QMainWindow> view;
    WebBrowser* browser = nullptr;
};

// 记住密码 keeps the log-in: after a restart the page opens without asking. When the server no longer takes it, the
// box comes back saying the last log-in was refused, with the user and 记住密码 as they were, and what is typed then
// replaces the remembered one. A wrong password brings the box back saying so. The password is in no file of ours.
TEST_F(RememberedLoginsTest, ARememberedLoginIsUsedAndReplacedWhenRefused) {
    Protect("/secret", "agent:秘密一");
    Restart();
    auto asked = LoadAnswering("/secret", {"秘密一+toggle"});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(!asked[0].refusedSaid && asked[0].proposedUser.isEmpty() && !asked[0].rememberTicked);
    EXPECT_TRUE(Shown().contains("内部资料 7731"));

    Restart();
    EXPECT_EQ(LoadAnswering("/secret", {}).size(), 0u) << "remembered: not asked";
    EXPECT_TRUE(Shown().contains("内部资料 7731"));

    Protect("/secret", "agent:秘密二");  // the password changed on the server
    Restart();
    asked = LoadAnswering("/secret", {"秘密二"});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].refusedSaid && asked[0].proposedUser == "agent" && asked[0].rememberTicked);
    EXPECT_TRUE(Shown().contains("内部资料 7731"));

    Restart();
    EXPECT_EQ(LoadAnswering("/secret", {}).size(), 0u) << "the new password was remembered in place of the old";
    EXPECT_TRUE(Shown().contains("内部资料 7731"));

    // The password changes again. The remembered one refused, a wrong one typed: the box comes back saying the last
    // log-in was refused. 记住密码 unticked forgets the remembered log-in: after a restart the box asks again.
    Protect("/secret", "agent:秘密三");
    Restart();
    asked = LoadAnswering("/secret", {"错误+toggle", "秘密三"});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].refusedSaid && asked[0].rememberTicked);
    EXPECT_TRUE(asked[1].refusedSaid && !asked[1].rememberTicked && asked[1].proposedUser == "agent");
    EXPECT_TRUE(Shown().contains("内部资料 7731"));
    Restart();
    asked = LoadAnswering("/secret", {"秘密三"});
    ASSERT_EQ(asked.size(), 1u) << "forgotten: asked again";
    EXPECT_FALSE(asked[0].refusedSaid);

    // The keyring keeps it encrypted, and nothing of ours holds it in clear text.
    for (const std::string& folder : {profiles.path().string(), service->folder().path().string()}) {
        QDirIterator files(ui::Q(folder), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_FALSE(file.readAll().contains(QByteArray("秘密"))) << file.fileName().toStdString();
        }
    }
}

}  // namespace
}  // namespace lumaro
