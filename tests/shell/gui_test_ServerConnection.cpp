#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTimer>
#include <QWebEnginePage>
#include <string>

#include "config/frmServer.h"
#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "shell/ServerConnection.h"
#include "shell/WebBrowser.h"

namespace lumaro {
namespace {

using namespace std::chrono_literals;

const QString ListingTitle = QStringLiteral("房源列表 - 安居房产");
const QString FailureTitle = QStringLiteral("无法获取服务器地址");

// The real demo server, run as its own process on a free port. Its stdout
// carries one line per request.
class DemoServer {
public:
    DemoServer() {
        process_.setProgram(QStringLiteral(LUMARO_DEMO_SERVER_PATH));
        process_.setArguments({QStringLiteral("0")});
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] {
            while (process_.canReadLine()) lines_ << QString::fromUtf8(process_.readLine()).trimmed();
        });
        process_.start();
        const QRegularExpression listening(QStringLiteral("^listening on http://127\\.0\\.0\\.1:(\\d+)$"));
        test::WaitUntil([&] {
            for (const QString& line : lines_)
                if (const auto m = listening.match(line); m.hasMatch()) port_ = m.captured(1).toUShort();
            return port_ != 0 || process_.state() == QProcess::NotRunning;
        });
    }
    ~DemoServer() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    quint16 port() const { return port_; }
    QString Url(const QString& path = {}) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path); }
    QProcess& process() { return process_; }

    // Request lines logged since the last Forget(), favicon requests left out.
    QStringList Requests() {
        QCoreApplication::processEvents();
        QStringList out;
        for (qsizetype i = seen_; i < lines_.size(); ++i)
            if (lines_[i].startsWith(QLatin1String("GET ")) && !lines_[i].contains(QLatin1String("/favicon.ico")))
                out << lines_[i];
        return out;
    }
    bool Saw(const QString& target) {
        return test::WaitUntil([&] { return Requests().contains(QStringLiteral("GET %1 HTTP/1.1").arg(target)); });
    }
    void Forget() {
        QCoreApplication::processEvents();
        seen_ = lines_.size();
    }

private:
    QProcess process_;
    QStringList lines_;
    qsizetype seen_ = 0;
    quint16 port_ = 0;
};

// One demo server and one browser profile for the whole binary.
class Shared : public ::testing::Environment {
public:
    void SetUp() override {
        WebBrowser::SetProfileFolder(QString::fromStdString(profile.file("browser")));
        server = std::make_unique<DemoServer>();
    }
    void TearDown() override {
        server.reset();
        WebBrowser::ReleaseProfile();
    }
    test::TempDir profile;
    std::unique_ptr<DemoServer> server;
};
Shared* const shared = static_cast<Shared*>(::testing::AddGlobalTestEnvironment(new Shared));

class ServerConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server().port(), 0) << "the demo server did not start";
        std::filesystem::create_directory(dir_.path() / "ini");
        saved_ = ConfigFilePath;
        ConfigFilePath = dir_.file("ini/Lumaro.lic");
        browser_ = std::make_unique<WebBrowser>(&window_);
        browser_->resize(800, 600);
        window_.resize(800, 600);
        window_.show();
        window_.activateWindow();
        browser_->setFocus();
        QObject::connect(browser_.get(), &QWebEngineView::loadStarted, [this] { loading_ = true; });
        QObject::connect(browser_.get(), &QWebEngineView::loadFinished, [this] { loading_ = false; });
        connection_.SetLookupTimeout(3s);
        connection_.SetDialogRunner([this](QWidget* owner) {
            ++dialogs_;
            EXPECT_EQ(owner, &window_) << "the dialog belongs to the main window";
        });
        server().Forget();
    }
    void TearDown() override {
        browser_.reset();
        EXPECT_TRUE(messages_.messages().empty()) << "a connection never shows a message box";
        ConfigFilePath = saved_;
    }

    static DemoServer& server() { return *shared->server; }
    QString Lookup() const { return server().Url(QStringLiteral("/register/ReadIP.asp")); }
    QString Listing() const { return server().Url(QStringLiteral("/House/?DatabaseName=House")); }

    static void Store(const char* key, const QString& value) {
        WriteIniString(ConfigFilePath, "ServerINFO", key, value.toStdString());
    }
    void StoreServer(const QString& dynaset, const QString& serverIp, const QString& serverId,
                     const QString& webRoot = QStringLiteral("/House/"), const QString& db = QStringLiteral("House")) {
        Store("DynasetIP", dynaset);
        Store("ServerIP", serverIp);
        Store("ServerID", serverId);
        Store("WebRoot", webRoot);
        Store("DBName", db);
    }

    bool ShowsTitle(const QString& title) {
        return test::WaitUntil([&] { return browser_->title() == title && !loading_; });
    }
    QString PageText() {
        QString text;
        bool done = false;
        browser_->page()->toPlainText([&](const QString& t) {
            text = t;
            done = true;
        });
        test::WaitUntil([&] { return done; });
        return text;
    }
    QVariant Run(const QString& script) {
        QVariant result;
        bool done = false;
        browser_->page()->runJavaScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        test::WaitUntil([&] { return done; });
        return result;
    }
    // A click as a user makes it: the program's own links answer only a user's gesture.
    bool ClickLink(const QString& id) {
        const QVariantList center =
            Run(QStringLiteral("(() => { const r = document.getElementById('%1').getBoundingClientRect();"
                               " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                    .arg(id))
                .toList();
        QWidget* surface = browser_->focusProxy();
        if (center.size() != 2 || !surface) return false;
        const QPointF at(center[0].toDouble(), center[1].toDouble());
        for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, surface->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(surface, &event);
        }
        return true;
    }
    // The failure page is shown and names the lookup URL and the reason.
    void ExpectFailurePage(const QString& lookupUrl, const QString& reasonPart) {
        ASSERT_TRUE(ShowsTitle(FailureTitle)) << browser_->title().toStdString();
        const QString text = PageText();
        EXPECT_TRUE(text.contains(lookupUrl)) << text.toStdString();
        EXPECT_TRUE(text.contains(reasonPart)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("连接")));
        EXPECT_NE(browser_->url().scheme(), QStringLiteral("http"));
        EXPECT_TRUE(connection_.WebURL.isEmpty()) << connection_.WebURL.toStdString();
    }

    test::TempDir dir_;
    test::MessageRecorder messages_;
    std::string saved_;
    QWidget window_;
    std::unique_ptr<WebBrowser> browser_;
    ServerConnection connection_{&window_};
    int dialogs_ = 0;
    bool loading_ = false;
};

TEST_F(ServerConnectionTest, FixedAddressIsFollowedByWebRootAndDatabase) {
    StoreServer(QStringLiteral("0"), server().Url(), QStringLiteral("888"));
    connection_.Connect(*browser_);
    EXPECT_TRUE(server().Saw(QStringLiteral("/House/?DatabaseName=House")));
    EXPECT_TRUE(ShowsTitle(ListingTitle));
    EXPECT_EQ(browser_->url().toString(), Listing());
    EXPECT_EQ(connection_.WebURL, Listing());
    EXPECT_EQ(server().Requests().filter(QStringLiteral("ReadIP")).size(), 0) << "no lookup in fixed mode";
    EXPECT_EQ(dialogs_, 0);
}

TEST_F(ServerConnectionTest, FixedAddressWithoutSchemeOpensAsInAnAddressBar) {
    StoreServer(QStringLiteral("0"), QStringLiteral("127.0.0.1:%1").arg(server().port()), QStringLiteral("888"));
    connection_.Connect(*browser_);
    EXPECT_TRUE(ShowsTitle(ListingTitle));
    EXPECT_EQ(browser_->url().toString(), Listing());
    EXPECT_EQ(connection_.WebURL, QStringLiteral("127.0.0.1:%1/House/?DatabaseName=House").arg(server().port()));
}

TEST_F(ServerConnectionTest, DynamicAddressIsLookedUpAndOpened) {
    StoreServer(QStringLiteral("1"), Lookup(), QStringLiteral("888"));
    connection_.Connect(*browser_);
    EXPECT_TRUE(ShowsTitle(ListingTitle));
    EXPECT_EQ(browser_->url().toString(), Listing());
    EXPECT_EQ(server().Requests(), (QStringList{QStringLiteral("GET /register/ReadIP.asp?ServerID=888 HTTP/1.1"),
                                                QStringLiteral("GET /House/?DatabaseName=House HTTP/1.1")}));
    EXPECT_EQ(connection_.ServerIP, Lookup());
    EXPECT_EQ(connection_.DynasetIP, 1);
    EXPECT_EQ(connection_.ServerID, QStringLiteral("888"));
    EXPECT_EQ(connection_.WebRoot, QStringLiteral("/House/"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is gone afterwards";
}

// Replies the demo server gives for special identifiers that still carry a usable address.
class UsableReplyTest : public ServerConnectionTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UsableReplyTest, AddressBetweenTheMarkersIsUsed) {
    StoreServer(QStringLiteral("1"), Lookup(), QString::fromLatin1(GetParam()));
    connection_.Connect(*browser_);
    EXPECT_TRUE(server().Saw(QStringLiteral("/House/?DatabaseName=House")));
    EXPECT_TRUE(ShowsTitle(ListingTitle));
    EXPECT_EQ(browser_->url().toString(), Listing());
}

// 889 lower-case markers, 891 HTTP 503 with the address in its body, 892 a GBK
// page, 894 the address within the first MiB of a larger reply.
INSTANTIATE_TEST_SUITE_P(Replies, UsableReplyTest, ::testing::Values("889", "891", "892", "894"));

TEST_F(ServerConnectionTest, StoredIdentifierIsNormalisedOnlyWithoutTheDialog) {
    StoreServer(QStringLiteral("1"), Lookup(), QStringLiteral("000888"));
    connection_.Connect(*browser_);
    EXPECT_TRUE(server().Saw(QStringLiteral("/register/ReadIP.asp?ServerID=888")));
    EXPECT_TRUE(ShowsTitle(ListingTitle));
    EXPECT_EQ(dialogs_, 0);

    // No address stored: the dialog opens and 确定 stores its values; the
    // identifier is then sent as it stands.
    StoreServer(QStringLiteral("1"), QString(), QStringLiteral("000888"));
    server().Forget();
    connection_.SetDialogRunner([this](QWidget* owner) {
        ++dialogs_;
        frmServer dlg(owner);
        EXPECT_TRUE(dlg.chkDynasetIP->isChecked());
        EXPECT_EQ(dlg.txtServerID->text(), QStringLiteral("000888"));
        dlg.txtServerIP->setProperty("tag", Lookup());  // the lookup service is the demo server's
        dlg.OKButton->click();
    });
    connection_.Connect(*browser_);
    EXPECT_EQ(dialogs_, 1);
    EXPECT_TRUE(server().Saw(QStringLiteral("/register/ReadIP.asp?ServerID=000888")));
    EXPECT_EQ(connection_.ServerID, QStringLiteral("000888"));
    ExpectFailurePage(Lookup() + QStringLiteral("?ServerID=000888"), QStringLiteral("没有服务器地址"));
}

TEST_F(ServerConnectionTest, EmptyAddressOpensTheDialogEmptyIdentifierDoesNot) {
    StoreServer(QStringLiteral("1"), Lookup(), QString());
    connection_.Connect(*browser_);
    EXPECT_EQ(dialogs_, 0) << "an empty identifier reads as 0";
    EXPECT_TRUE(server().Saw(QStringLiteral("/register/ReadIP.asp?ServerID=0")));
    ExpectFailurePage(Lookup() + QStringLiteral("?ServerID=0"), QStringLiteral("没有服务器地址"));

    // Fixed mode, address empty, identifier stored; the dialog is cancelled and
    // the call goes on with what is stored.
    StoreServer(QStringLiteral("0"), QString(), QStringLiteral("888"));
    server().Forget();
    connection_.Connect(*browser_);
    EXPECT_EQ(dialogs_, 1);
    EXPECT_EQ(connection_.WebURL, QStringLiteral("/House/?DatabaseName=House"));
    test::WaitUntil([] { return false; }, 300);
    EXPECT_TRUE(server().Requests().isEmpty()) << "an address without a host goes nowhere";
}

struct FlagCase {
    const char* stored;
    bool lookup;
};

class DynasetFlagTest : public ServerConnectionTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(DynasetFlagTest, NonZeroAfterHalfEvenRoundingSwitchesTheLookupOn) {
    StoreServer(QString::fromLatin1(GetParam().stored), Lookup(), QStringLiteral("888"));
    connection_.Connect(*browser_);
    if (GetParam().lookup) {
        EXPECT_TRUE(ShowsTitle(ListingTitle));
        EXPECT_EQ(browser_->url().toString(), Listing());
        EXPECT_TRUE(server().Requests().contains(QStringLiteral("GET /register/ReadIP.asp?ServerID=888 HTTP/1.1")));
    } else {
        // The lookup URL taken as the server address itself.
        const QString fixed = Lookup() + QStringLiteral("/House/?DatabaseName=House");
        EXPECT_TRUE(server().Saw(QStringLiteral("/register/ReadIP.asp/House/?DatabaseName=House")));
        EXPECT_TRUE(test::WaitUntil([&] { return browser_->url().toString() == fixed; }));
        EXPECT_EQ(connection_.DynasetIP, 0);
        EXPECT_FALSE(server().Requests().contains(QStringLiteral("GET /register/ReadIP.asp?ServerID=888 HTTP/1.1")));
    }
}

INSTANTIATE_TEST_SUITE_P(StoredFlags, DynasetFlagTest,
                         ::testing::Values(FlagCase{"1", true}, FlagCase{"2", true}, FlagCase{"-1", true},
                                           FlagCase{"0.6", true}, FlagCase{"0", false}, FlagCase{"", false},
                                           FlagCase{"yes", false}, FlagCase{"0.4", false}));

TEST_F(ServerConnectionTest, ClosedPortShowsTheFailurePage) {
    quint16 closed = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closed = probe.serverPort();
    }
    const QString lookup = QStringLiteral("http://127.0.0.1:%1/register/ReadIP.asp").arg(closed);
    StoreServer(QStringLiteral("1"), lookup, QStringLiteral("888"));
    connection_.Connect(*browser_);
    ExpectFailurePage(lookup + QStringLiteral("?ServerID=888"), QStringLiteral("连接被拒绝"));
}

TEST_F(ServerConnectionTest, SlowLookupEndsAtTheTimeOutWithBusyCursorAndNoReentry) {
    connection_.SetLookupTimeout(400ms);
    StoreServer(QStringLiteral("1"), server().Url(QStringLiteral("/slow?ms=5000")), QStringLiteral("888"));
    // While the client waits: the cursor is busy, timers still run, and a
    // second connection started meanwhile returns at once.
    bool busyWhileWaiting = false;
    bool nestedReturned = false;
    QTimer::singleShot(100, [&] {
        busyWhileWaiting = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        connection_.Connect(*browser_);
        nestedReturned = true;
    });
    connection_.Connect(*browser_);
    EXPECT_TRUE(busyWhileWaiting);
    EXPECT_TRUE(nestedReturned);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ExpectFailurePage(server().Url(QStringLiteral("/slow?ms=5000?ServerID=888")), QStringLiteral("0.4 秒内没有应答"));
    EXPECT_EQ(server().Requests(), QStringList{QStringLiteral("GET /slow?ms=5000?ServerID=888 HTTP/1.1")})
        << "the nested call sent nothing";
}

TEST_F(ServerConnectionTest, ReplyWithoutMarkersShowsTheFailurePageAndLoadsNothing) {
    StoreServer(QStringLiteral("1"), Lookup(), QStringLiteral("777"));
    connection_.Connect(*browser_);
    ExpectFailurePage(Lookup() + QStringLiteral("?ServerID=777"), QStringLiteral("没有服务器地址"));
    EXPECT_EQ(server().Requests(), QStringList{QStringLiteral("GET /register/ReadIP.asp?ServerID=777 HTTP/1.1")});
}

TEST_F(ServerConnectionTest, AddressBeyondTheFirstMebibyteIsNotRead) {
    StoreServer(QStringLiteral("1"), Lookup(), QStringLiteral("893"));
    connection_.Connect(*browser_);
    ExpectFailurePage(Lookup() + QStringLiteral("?ServerID=893"), QStringLiteral("没有服务器地址"));
}

TEST_F(ServerConnectionTest, ScriptAddressIsRefusedAndNothingElseLoaded) {
    StoreServer(QStringLiteral("1"), Lookup(), QStringLiteral("890"));
    connection_.Connect(*browser_);
    ExpectFailurePage(Lookup() + QStringLiteral("?ServerID=890"), QStringLiteral("不是 http 或 https 地址"));
    EXPECT_TRUE(PageText().contains(QStringLiteral("javascript:alert(document.cookie)//")))
        << "the refused address is named";
    EXPECT_NE(browser_->url().scheme(), QStringLiteral("javascript"));
    test::WaitUntil([] { return false; }, 300);
    EXPECT_EQ(server().Requests(), QStringList{QStringLiteral("GET /register/ReadIP.asp?ServerID=890 HTTP/1.1")});
}

TEST_F(ServerConnectionTest, FailurePageLinkAsksToConnectAgain) {
    StoreServer(QStringLiteral("1"), Lookup(), QStringLiteral("777"));
    connection_.Connect(*browser_);
    ASSERT_TRUE(ShowsTitle(FailureTitle));
    QStringList commands;
    QObject::connect(browser_.get(), &WebBrowser::commandRequested,
                     [&](const QString& tool) { commands << tool; });
    ASSERT_TRUE(ClickLink(QStringLiteral("connect")));
    EXPECT_TRUE(test::WaitUntil([&] { return !commands.isEmpty(); }));
    EXPECT_EQ(commands, QStringList{QStringLiteral("mConnect")});
}

TEST_F(ServerConnectionTest, ReconnectionAfterFailedLookupDoesNotDoubleThePath) {
    StoreServer(QStringLiteral("1"), Lookup(), QStringLiteral("888"));
    connection_.Connect(*browser_);
    ASSERT_TRUE(ShowsTitle(ListingTitle));

    Store("ServerID", QStringLiteral("777"));  // the service no longer knows the server
    server().Forget();
    connection_.Connect(*browser_);
    ExpectFailurePage(Lookup() + QStringLiteral("?ServerID=777"), QStringLiteral("没有服务器地址"));

    Store("ServerID", QStringLiteral("888"));
    server().Forget();
    connection_.Connect(*browser_);
    EXPECT_TRUE(ShowsTitle(ListingTitle));
    EXPECT_EQ(connection_.WebURL, Listing());
    EXPECT_EQ(browser_->url().toString(), Listing());
    for (const QString& line : server().Requests())
        EXPECT_FALSE(line.contains(QStringLiteral("/House/?DatabaseName=House/House/"))) << line.toStdString();
}

TEST_F(ServerConnectionTest, DemoServerStopsCleanlyOnTerminate) {
    DemoServer own;
    ASSERT_NE(own.port(), 0);
    ASSERT_NE(own.port(), server().port());
    own.process().terminate();
    ASSERT_TRUE(own.process().waitForFinished(5000));
    EXPECT_EQ(own.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(own.process().exitCode(), 0);
}

}  // namespace
}  // namespace lumaro
