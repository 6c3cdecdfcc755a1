// The server connection against the real demo server (a process of its own) with a real
// browser view: where the browser arrives, and what the demo server was asked for on the way.
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <gtest/gtest.h>

#include "config/frmServer.h"
#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "gui/Desktop.h"
#include "gui/GuiTestKit.h"
#include "gui/TestHttpServer.h"
#include "shell/ServerConnection.h"
#include "shell/browser/WebBrowser.h"

namespace lumaro {
namespace {

using namespace std::chrono_literals;
const QString ListingTitle = QStringLiteral("房源列表 - 安居房产");
const QString FailureTitle = QStringLiteral("无法获取服务器地址");
const QString ListingPath = QStringLiteral("/House/?DatabaseName=House");
const QString LookupPath = QStringLiteral("/register/ReadIP.asp");
// Where both pages that ask to mend the settings say the command is.
const QString CommandsAdvice = QStringLiteral("（工具栏的“配置”，即菜单“服务器”中的“配置服务器”），然后重新连接。");

// The demo server prints "listening on <origin>", then one line per request.
struct DemoServer {
    DemoServer() {
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] {
            while (process_.canReadLine()) lines_ << QString::fromUtf8(process_.readLine()).trimmed();
        });
        test::TieToTest(process_);  // not left behind when the test is killed
        process_.start(QStringLiteral(LUMARO_DEMO_SERVER_PATH), {QStringLiteral("0")});
        test::WaitUntil([&] {
            if (!lines_.isEmpty() && lines_[0].startsWith("listening on http://127.0.0.1:")) origin = lines_[0].mid(13);
            return !origin.isEmpty() || process_.state() == QProcess::NotRunning;
        });
    }
    ~DemoServer() {
        process_.terminate();
        EXPECT_TRUE(process_.waitForFinished(5000) && process_.exitStatus() == QProcess::NormalExit &&
                    process_.exitCode() == 0) << "the demo server ends cleanly when terminated";
    }
    // The targets of the GET requests since the last Forget(), favicon requests left out.
    QStringList Requests() {
        QCoreApplication::processEvents();
        QStringList targets;
        for (const QString& line : lines_.mid(seen_)) {
            const QStringList parts = line.split(' ');  // "GET <target>"
            if (parts.size() == 2 && parts[0] == "GET" && parts[1] != "/favicon.ico") targets << parts[1];
        }
        return targets;
    }
    bool Saw(const QString& target) { return test::WaitUntil([&] { return Requests().contains(target); }); }
    void Forget() { seen_ = lines_.size(); }

    QString origin;  // "http://127.0.0.1:<port>"
    QProcess process_;
    QStringList lines_;
    qsizetype seen_ = 0;
};

class ServerConnectionTest : public ::testing::Test {
protected:
    // One demo server and one browser profile for all.
    static void SetUpTestSuite() {
        WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser")));
        server = std::make_unique<DemoServer>();
    }
    static void TearDownTestSuite() {
        server.reset();
        WebBrowser::ReleaseProfile();
    }
    void SetUp() override {
        ASSERT_FALSE(server->origin.isEmpty()) << "the demo server did not start";
        std::filesystem::create_directory(dir_.path() / "ini");
        ConfigFilePath = dir_.file("ini/Lumaro.lic");
        window_.show();
        QObject::connect(browser_, &QWebEngineView::loadFinished, [this] { loading_ = false; });
        connection_.SetLookupTimeout(3s);
        connection_.SetDialogRunner([this](QWidget* owner) {
            ++dialogs_;
            EXPECT_EQ(owner, &window_) << "the dialog belongs to the main window";
        });
    }
    void TearDown() override {
        EXPECT_TRUE(messages_.messages().empty()) << "a connection never shows a message box";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is gone";
        ConfigFilePath = saved_;
    }

    // Stores ServerINFO (web root and database as the demo site has them) and connects.
    void Connect(const QString& dynaset, const QString& serverIp, const QString& serverId, const QString& db = "House") {
        const char* keys[] = {"DynasetIP", "ServerIP", "ServerID", "WebRoot", "DBName"};
        const QString values[] = {dynaset, serverIp, serverId, "/House/", db};
        for (int i = 0; i < 5; ++i) WriteIniString(ConfigFilePath, "ServerINFO", keys[i], ui::S(values[i]));
        server->Forget();
        loading_ = true;  // every connection ends in a load
        connection_.Connect(*browser_);
    }
    bool Loaded() { return test::WaitUntil([&] { return !loading_; }); }
    QString Js(const QString& script) {
        std::optional<QVariant> result;
        browser_->page()->runJavaScript(script, [&](const QVariant& v) { result = v; });
        EXPECT_TRUE(test::WaitUntil([&] { return result.has_value(); }));
        return result.value_or(QVariant()).toString();
    }
    // The program's own page with the lookup URL, the reason (`says`, and never any part of it twice), and the
    // 配置 and 连接 commands named as on the page of an address that cannot be opened; nothing asked for but
    // `requested`.
    void ExpectFailurePage(const QString& lookupUrl, const QStringList& says, const QStringList& requested) {
        ASSERT_TRUE(Loaded() && browser_->title() == FailureTitle) << browser_->title().toStdString();
        std::optional<QString> text;
        browser_->page()->toPlainText([&](const QString& t) { text = t; });
        ASSERT_TRUE(test::WaitUntil([&] { return text.has_value(); }));
        for (const QString& part : QStringList{lookupUrl, CommandsAdvice} + says)
            EXPECT_TRUE(text->contains(part)) << part.toStdString() << " is not in " << text->toStdString();
        EXPECT_EQ(Js("[...document.querySelectorAll('a.cmd')].map(a => a.textContent + ' ' + a.href).join(', ')"),
                  "配置 lumaro:mSetup, 连接 lumaro:mConnect");
        const QString reason = Js("document.getElementById('reason').textContent");
        for (const QString& part : reason.split(QRegularExpression(QStringLiteral("[（）。，：]")), Qt::SkipEmptyParts))
            EXPECT_EQ(reason.count(part), 1) << part.toStdString() << " said twice in " << reason.toStdString();
        EXPECT_LE(reason.count(QStringLiteral("（")), 1) << "one reason, not a second one behind it: " << reason.toStdString();
        EXPECT_EQ(browser_->url().scheme(), QStringLiteral("data"));
        EXPECT_TRUE(connection_.WebURL.isEmpty()) << connection_.WebURL.toStdString();
        test::WaitUntil([] { return false; }, 300);  // time for anything else to be asked for
        EXPECT_EQ(server->Requests(), requested);
    }

    static inline test::TempDir profiles;
    static inline std::unique_ptr<DemoServer> server;
    test::TempDir dir_;
    test::MessageRecorder messages_;
    const std::string saved_ = ConfigFilePath;
    const QString lookup = server->origin + LookupPath;
    QWidget window_;  // the main window
    WebBrowser* browser_ = new WebBrowser(&window_);
    ServerConnection connection_{&window_};
    int dialogs_ = 0;
    bool loading_ = false;
};

// Stored values that lead to a page: where the browser arrives and what the demo server is asked for, the
// lookup (with the identifier sent) first. A lookup service of the test's own answers with an address among
// blanks, which is used trimmed, and with a host name in Chinese, an address like any other.
TEST_F(ServerConnectionTest, StoredValuesLeadToTheirPage) {
    using Response = test::TestHttpServer::Response;
    test::TestHttpServer service;
    service.Route("/spaced", Response("<IP> \t" + server->origin.toUtf8() + "\r\n</IP>"));
    const QString o = server->origin, bare = o.mid(7), listing = o + ListingPath;
    const QString off = lookup + ListingPath;  // lookup off: the lookup URL is taken as the server's address
    const struct { QString dynaset, serverIp, serverId, sentId, url; } rows[] = {
        {"0", o, "888", "", listing},         // a fixed address
        {"0", bare, "888", "", listing},      // without a scheme: http:// as in an address bar
        {"1", lookup, "888", "888", listing}, // the lookup
        {"1", lookup, "889", "889", listing}, // markers in lower case
        {"1", lookup, "891", "891", listing}, // HTTP 503 with the marked address
        {"1", lookup, "892", "892", listing}, // a GBK page
        {"1", lookup, "894", "894", listing}, // the address within the first MiB of a larger reply
        {"1", lookup, "000888", "888", listing},  // the identifier as a number on the first reading
        {"1", service.Url("/spaced"), "888", "", listing},  // asked of the test's service
        // DynasetIP rounded half to even: non-zero switches the lookup on.
        {"0.6", lookup, "888", "888", listing}, {"", lookup, "888", "", off}, {"0.4", lookup, "888", "", off},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(row.dynaset, row.serverIp, row.serverId).toStdString());
        Connect(row.dynaset, row.serverIp, row.serverId);
        const QString target = row.url.mid(o.size());
        ASSERT_TRUE(server->Saw(target) && Loaded());
        EXPECT_EQ(browser_->url().toString(), row.url);
        EXPECT_TRUE(row.url != listing || browser_->title() == ListingTitle) << browser_->title().toStdString();
        EXPECT_EQ(connection_.WebURL, row.serverIp == bare ? bare + ListingPath : row.url);
        const QString asked = LookupPath + "?ServerID=" + row.sentId;
        EXPECT_EQ(server->Requests(), row.sentId.isEmpty() ? QStringList{target} : QStringList({asked, target}));
    }
    service.Route("/chinese", Response("<IP>\xe6\x88\xbf\xe4\xba\xa7.example:1</IP>"));  // 房产.example
    Connect("1", service.Url("/chinese"), "888");
    EXPECT_EQ(connection_.WebURL, QStringLiteral("房产.example:1/House/?DatabaseName=House"));
    EXPECT_EQ(browser_->page()->requestedUrl().host(), "xn--wlq909b.example");
    browser_->stop();
    EXPECT_EQ(dialogs_, 0);
}

// No address stored: the dialog opens, and everything is read again after it: switched there to a fixed address (a
// first start at a desk with a server of its own), no lookup is made and the database name is the one just typed.
TEST_F(ServerConnectionTest, AfterTheDialogEverythingIsReadAgain) {
    connection_.SetDialogRunner([&](QWidget* owner) {
        ++dialogs_;
        frmServer dlg(owner);
        ASSERT_TRUE(dlg.chkDynasetIP->isChecked());
        dlg.chkDynasetIP->click();
        dlg.txtServerIP->setText(server->origin);
        dlg.txtDBName->setText("House");
        dlg.OKButton->click();
    });
    Connect("1", "", "888", "");
    ASSERT_TRUE(server->Saw(ListingPath) && Loaded());
    EXPECT_EQ(browser_->url().toString(), server->origin + ListingPath);
    EXPECT_EQ(server->Requests(), QStringList{ListingPath});
    EXPECT_EQ(dialogs_, 1);
}

// Lookups that give no usable address show the program's page, saying why, and load nothing else: no service
// (a closed port), replies without an address or with one that is no web address or cannot be parsed, a
// redirect loop, a redirect to a file, a reply cut off mid-body (these from a test service), no reply in time. WebURL starts
// empty on every connection: after a server found, a failed lookup leaves no address, and the next one found has
// its path once.
TEST_F(ServerConnectionTest, FailedLookupsSayWhyAndLoadNothing) {
    using Response = test::TestHttpServer::Response;
    test::TestHttpServer service;
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString closed = QStringLiteral("http://127.0.0.1:%1/register/ReadIP.asp").arg(probe.serverPort());
    probe.close();
    Response cut("<IP>" + server->origin.toUtf8() + "</IP>" + QByteArray(64 * 1024, ' '));
    cut.cutOff = true;
    const std::pair<const char*, Response> replies[] = {
        {"/junk", Response("<IP>\x01\xfe\xff:80</IP>")}, {"/port", Response("<IP>http://127.0.0.1:18082x</IP>")},
        {"/tab", Response("<IP>java\tscript:alert(1)//</IP>")}, {"/loop", Response("", {{"Location", "/loop"}}, 302)},
        {"/file", Response("<IP>" + server->origin.toUtf8() + "</IP>", {{"Location", "file:///etc/passwd"}}, 302)},
        {"/cut", cut}, {"/words", Response("<p>没有登记编号为<b>“999”</b>的服务器。&lt;script&gt;</p>")}};
    for (const auto& [path, reply] : replies) service.Route(path, reply);
    const struct { QString serverIp, serverId, sentId; QStringList says; } rows[] = {
        {closed, "888", "888", {"连接被拒绝"}},
        {lookup, "777", "777", {"没有服务器地址", "没有登记编号为“777”的服务器。"}},  // the service's own words
        {service.Url("/words"), "999", "999", {"没有登记编号为“999”的服务器。<script>"}},  // escaped
        {lookup, "", "0", {"没有服务器地址"}},       // an empty identifier reads as 0
        {lookup, "893", "893", {"没有服务器地址"}},  // the address only after the first MiB
        {lookup, "890", "890", {"不是 http 或 https 地址", "javascript:alert(document.cookie)//"}},
        {service.Url("/junk"), "888", "888", {"不是有效的网址"}}, {service.Url("/port"), "888", "888", {"不是有效的网址"}},
        {service.Url("/tab"), "888", "888", {"不是 http 或 https 地址"}},
        {service.Url("/loop"), "888", "888", {"重定向次数过多"}},
        {service.Url("/file"), "888", "888", {"file:///etc/passwd"}}, {service.Url("/cut"), "888", "888", {"断开"}},
        {server->origin + "/slow?ms=5000", "888", "888", {"0.4 秒内没有应答"}},
    };
    Connect("1", lookup, "888");
    ASSERT_TRUE(server->Saw(ListingPath) && Loaded());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.serverIp.toStdString() + " " + row.serverId.toStdString());
        connection_.SetLookupTimeout(row.serverIp.contains("/slow") ? 400ms : 3s);  // the slow one is not waited out
        Connect("1", row.serverIp, row.serverId);
        const QString sent = "?ServerID=" + row.sentId;
        const bool demo = row.serverIp.startsWith(server->origin);  // what the demo server is asked for
        const QStringList asked = demo ? QStringList{row.serverIp.mid(server->origin.size()) + sent} : QStringList();
        ExpectFailurePage(row.serverIp + sent, row.says, asked);
    }
    Connect("1", lookup, "888");
    ASSERT_TRUE(server->Saw(ListingPath) && Loaded());
    EXPECT_EQ(connection_.WebURL, server->origin + ListingPath);
    EXPECT_EQ(dialogs_, 0) << "an address is stored";
}

}  // namespace
}  // namespace lumaro
