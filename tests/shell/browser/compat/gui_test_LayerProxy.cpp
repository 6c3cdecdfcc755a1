// The proxy the layer's plain http passes, tried with the answers servers
// really give: every framing arrives whole, streams arrive as they are sent,
// uploads go at the server's pace, large answers cost no memory, pages that
// name their encoding keep it. Only the layer's hosts are sent to it, only
// this program reaches a server through it, and pages load when it is gone.
// The agency's server is named agency.test (the engine's rules lead it to
// 127.0.0.1), as a server elsewhere would be: the engine sends only such
// hosts to the proxy. The servers live as long as the suite, as the engine's
// route does.
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>
#include <gtest/gtest.h>
#include <atomic>
#include <memory>

#include "config/mdlINI.h"
#include "core/Processes.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/LayerTestKit.h"
#include "gui/RawHttpServer.h"
#include "platform/Platform.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CharsetProxy.h"
#include "shell/browser/compat/NoticeBar.h"

namespace lumaro {
namespace {

using test::Js;
using test::LayerProgram;
using test::RawHttpServer;
using test::WaitUntil;

const QString kAgency = QStringLiteral("agency.test");
const QString kOther = QStringLiteral("other.test");

QByteArray Gbk(const QString& text) { return QByteArray::fromStdString(platform::ToAnsi(text.toStdString())); }

RawHttpServer::Answer Whole(const QByteArray& type, const QByteArray& body) {
    return {"HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) +
            "\r\n\r\n" + body};
}

// What a page's script leaves in window.result, once it has.
QString Result(WebBrowser& view) {
    QString result;
    WaitUntil([&] { return !(result = Js(view, QStringLiteral("window.result || ''")).toString()).isEmpty(); }, 60000);
    return result;
}

// A script that fetches `url` and leaves "status base64(body)" in window.result.
QString FetchScript(const QString& url, const QString& method = QStringLiteral("GET"),
                    const QString& headers = QStringLiteral("{}")) {
    return QStringLiteral(
               "window.result = ''; fetch('%1', {method: '%2', headers: %3, cache: 'no-store'})"
               ".then(function (r) { return r.arrayBuffer().then(function (b) {"
               "  var u = new Uint8Array(b), s = ''; for (var i = 0; i < u.length; i++) s += String.fromCharCode(u[i]);"
               "  window.result = r.status + ' ' + btoa(s); }); })"
               ".catch(function (e) { window.result = 'failed ' + e; }); 0")
        .arg(url, method, headers);
}

// Resident memory of this process, where the engine's network stack and the
// proxy live, in bytes.
qint64 Resident() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

class LayerProxyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Before the engine starts: the server's address is known and elsewhere.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") +
                    " --host-resolver-rules=\"MAP agency.test 127.0.0.1, MAP other.test 127.0.0.1\"");
        ConfigFilePath = folder.file("Lumaro.lic");
        test::WriteBytes(ConfigFilePath, "[ServerINFO]\r\nServerIP=http://agency.test/\r\n");
        WebBrowser::SetProfileFolder(ui::Q(folder.file("browser")));
        agency = new RawHttpServer;
        other = new RawHttpServer;
        agency->Route("/House/blank.asp", [](const auto&) { return Whole("text/html", "<title>blank</title>"); });
        LayerProgram::Install(true, {kAgency + u':' + QString::number(agency->Port())});
    }
    static void TearDownTestSuite() {
        WebBrowser::ReleaseProfile();
        delete agency;
        delete other;
        ConfigFilePath.clear();
    }

    std::unique_ptr<WebBrowser> Show(const QString& url) {
        auto view = std::make_unique<WebBrowser>();
        view->resize(800, 600);
        view->show();
        EXPECT_TRUE(test::OpenPage(*view, QUrl(url), false)) << url.toStdString();
        return view;
    }
    static QString On(const RawHttpServer* server, const QString& path) {
        return server->Url(path, server == agency ? kAgency : kOther);
    }

    static inline test::TempDir folder;
    static inline RawHttpServer* agency = nullptr;
    static inline RawHttpServer* other = nullptr;
};

// Each framing servers use arrives as the server sent it, through the proxy,
// one after the other on the connections it keeps.
TEST_F(LayerProxyTest, EveryFramingArrivesWhole) {
    const QByteArray body = "房源 listing, the body the server sent\n";
    const struct {
        const char* name;
        QByteArray answer;
        bool close;
        const char* method;
        const char* headers;
        QByteArray expected;  // status and body as the page got them
    } rows[] = {
        {"length", "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
                       "\r\n\r\n" + body, false, "GET", "{}", "200 " + body},
        {"chunked", "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n" +
                        body.left(5) + "\r\n" + QByteArray::number(body.size() - 5, 16) + "\r\n" + body.mid(5) +
                        "\r\n0\r\n\r\n", false, "GET", "{}", "200 " + body},
        {"until the connection closes", "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body, true, "GET",
         "{}", "200 " + body},
        {"HTTP/1.0 until it closes", "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body, true, "GET",
         "{}", "200 " + body},
        {"HEAD", "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 1000\r\n\r\n", false, "HEAD", "{}",
         "200 "},
        {"204", "HTTP/1.1 204 No Content\r\n\r\n", false, "GET", "{}", "204 "},
        {"304", "HTTP/1.1 304 Not Modified\r\nETag: \"1\"\r\n\r\n", false, "GET", "{'If-None-Match': '\"1\"'}",
         "304 "},
        {"interim answers first", "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 102 Processing\r\n\r\nHTTP/1.1 103 Early Hints\r\n"
                                  "Link: </a.css>; rel=preload\r\n\r\nHTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                                  "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body,
         false, "GET", "{}", "200 " + body},
        {"bare line feeds", "HTTP/1.1 200 OK\nContent-Type: text/plain\nContent-Length: " +
                                QByteArray::number(body.size()) + "\n\n" + body, false, "GET", "{}", "200 " + body},
    };
    auto view = Show(On(agency, QStringLiteral("/House/blank.asp")));
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray path = "/House/framing" + QByteArray::number(++n) + ".asp";
        agency->Route(path, [row](const auto&) { return RawHttpServer::Answer{row.answer, 0, false, row.close}; });
        Js(*view, FetchScript(On(agency, QString::fromLatin1(path)), QString::fromLatin1(row.method),
                              QString::fromLatin1(row.headers)));
        const QString result = Result(*view);
        const QByteArray expected = row.expected.left(row.expected.indexOf(' ') + 1) +
                                    row.expected.mid(row.expected.indexOf(' ') + 1).toBase64();
        EXPECT_EQ(result.toStdString(), expected.toStdString());
    }
}

// A request that says "Expect: 100-continue" gets the server's interim
// answer, then sends its body, then gets the answer: as a form post or an
// upload of a program on this desk would.
TEST_F(LayerProxyTest, ExpectContinuePasses) {
    agency->Route("/House/upload.asp", [](const RawHttpServer::Request& request) {
        return Whole("text/plain", test::Sha256(request.body));
    });
    const QByteArray body(300000, 'x');
    QTcpSocket client;  // this program's own socket, as the engine's are
    client.connectToHost(QHostAddress::LocalHost, CharsetProxy::Port());
    client.write("POST " + On(agency, QStringLiteral("/House/upload.asp")).toLatin1() +
                 " HTTP/1.1\r\nHost: agency.test\r\nExpect: 100-continue\r\nContent-Length: " +
                 QByteArray::number(body.size()) + "\r\n\r\n");
    QByteArray answer;
    ASSERT_TRUE(WaitUntil([&] { return (answer += client.readAll()).contains("\r\n\r\n"); }, 30000));
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 100 Continue\r\n")) << answer.toStdString();
    client.write(body);
    EXPECT_TRUE(WaitUntil([&] { return (answer += client.readAll()).endsWith(test::Sha256(body)); }, 30000))
        << answer.toStdString();
}

// An upload goes at the pace the server reads it: the page hears it is sent
// when the server has most of it, not when the proxy has swallowed it.
TEST_F(LayerProxyTest, UploadsGoAtTheServersPace) {
    constexpr qint64 kSize = 50 << 20;
    QByteArray expected(kSize, Qt::Uninitialized);
    for (qint64 i = 0; i < kSize; ++i) expected[i] = char(i % 251);
    qint64 readWhenSent = -1;
    agency->Route("/House/upload.asp", [](const RawHttpServer::Request& request) {
        return Whole("text/plain", test::Sha256(request.body));
    });
    agency->Route("/House/sent.asp", [&readWhenSent](const auto&) {
        readWhenSent = agency->BodyBytesRead();
        return Whole("text/plain", "noted");
    });
    auto view = Show(On(agency, QStringLiteral("/House/blank.asp")));
    const qint64 before = agency->BodyBytesRead();
    agency->SetReadPace(256 * 1024);  // 25 MB a second
    Js(*view, QStringLiteral(
                  "window.result = ''; var data = new Uint8Array(%1); for (var i = 0; i < data.length; i++) data[i] = i % 251;"
                  "var x = new XMLHttpRequest(); x.open('POST', 'upload.asp');"
                  "x.upload.onload = function () { fetch('sent.asp', {cache: 'no-store'}); };"
                  "x.onload = function () { window.result = x.responseText; };"
                  "x.onerror = function () { window.result = 'failed'; }; x.send(data); 0")
                  .arg(kSize));
    EXPECT_EQ(Result(*view).toStdString(), test::Sha256(expected).toStdString());
    agency->SetReadPace(0);
    ASSERT_GE(readWhenSent, 0);
    // What the connections' buffers on the way hold is all the page may be ahead.
    EXPECT_GT(readWhenSent - before, kSize / 2) << "the server had read " << (readWhenSent - before);
}

// Server-sent events, a long poll and a WebSocket to the agency's server
// arrive as the server sends them.
TEST_F(LayerProxyTest, StreamsArriveAsSent) {
    agency->Route("/House/events.asp", [](const auto&) {
        return RawHttpServer::Answer{"HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: no-store\r\n\r\n"
                                     "data: 第一条\n\n", 0, true};
    });
    auto view = Show(On(agency, QStringLiteral("/House/blank.asp")));
    Js(*view, QStringLiteral("window.result = ''; window.got = [];"
                             "var es = new EventSource('events.asp');"
                             "es.onmessage = function (e) { got.push(e.data); window.result = got.join('|'); }; 0"));
    EXPECT_EQ(Result(*view), QStringLiteral("第一条"));  // while the answer is still open
    Js(*view, QStringLiteral("window.result = ''; 0"));
    agency->Send(QStringLiteral("data: 第二条\n\n").toUtf8());
    EXPECT_EQ(Result(*view), QStringLiteral("第一条|第二条"));
    Js(*view, QStringLiteral("es.close(); 0"));
    agency->Close();

    agency->Route("/House/poll.asp", [](const auto&) {
        return RawHttpServer::Answer{"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n\r\n"
                                     "6\r\nfirst \r\n", 0, true};
    });
    Js(*view, QStringLiteral("window.result = ''; fetch('poll.asp').then(function (r) { var reader = r.body.getReader();"
                             "  var text = '';"
                             "  function more() { reader.read().then(function (p) { if (p.done) { window.result += '|end'; return; }"
                             "    text += new TextDecoder().decode(p.value); window.result = text; more(); }); } more(); }); 0"));
    EXPECT_EQ(Result(*view), QStringLiteral("first "));
    Js(*view, QStringLiteral("window.result = ''; 0"));
    agency->Send("6\r\nsecond\r\n0\r\n\r\n");
    EXPECT_TRUE(WaitUntil([&] { return Js(*view, QStringLiteral("window.result")).toString().endsWith("|end"); }));
    agency->Close();

    // A WebSocket: every byte both ways.
    QWebSocketServer echo(QStringLiteral("echo"), QWebSocketServer::NonSecureMode);
    ASSERT_TRUE(echo.listen(QHostAddress::LocalHost));
    QObject::connect(&echo, &QWebSocketServer::newConnection, [&echo] {
        QWebSocket* socket = echo.nextPendingConnection();
        QObject::connect(socket, &QWebSocket::binaryMessageReceived, socket,
                         [socket](const QByteArray& m) { socket->sendBinaryMessage(QCryptographicHash::hash(m, QCryptographicHash::Sha256)); });
    });
    LayerProgram::Install(true, {kAgency + u':' + QString::number(agency->Port()),
                                 kAgency + u':' + QString::number(echo.serverPort())});
    Js(*view, QStringLiteral("window.result = ''; var ws = new WebSocket('ws://agency.test:%1/');"
                             "ws.binaryType = 'arraybuffer';"
                             "ws.onopen = function () { var d = new Uint8Array(100000); for (var i = 0; i < d.length; i++) d[i] = i % 253; ws.send(d); };"
                             "ws.onmessage = function (e) { var u = new Uint8Array(e.data), s = '';"
                             "  for (var i = 0; i < u.length; i++) s += ('0' + u[i].toString(16)).slice(-2); window.result = s; };"
                             "ws.onerror = function () { window.result = 'failed'; }; 0")
                  .arg(echo.serverPort()));
    QByteArray sent(100000, Qt::Uninitialized);
    for (int i = 0; i < sent.size(); ++i) sent[i] = char(i % 253);
    EXPECT_EQ(Result(*view).toStdString(), test::Sha256(sent).toStdString());
    LayerProgram::Install(true, {kAgency + u':' + QString::number(agency->Port())});
}

// A page, a script and a style sheet that name UTF-8 read as UTF-8; a page
// that names nothing reads as GBK.
TEST_F(LayerProxyTest, DeclaredEncodingsAreKept) {
    const QString words = QStringLiteral("房源登记");
    agency->Route("/House/utf8.js", [&](const auto&) {
        return Whole("application/x-javascript", ("window.fromScript = '" + words + "';").toUtf8());
    });
    agency->Route("/House/utf8.css", [&](const auto&) {
        return Whole("text/css", ("@charset \"utf-8\";\n#mark::before { content: '" + words + "'; }").toUtf8());
    });
    const QString probe = QStringLiteral("[document.body.innerText.trim(), window.fromScript || '',"
                                         " document.getElementById('mark') ? getComputedStyle(document.getElementById('mark'), '::before').content : '']"
                                         ".join('|')");
    const struct {
        const char* name;
        QByteArray page;
        QString expected;
    } rows[] = {
        {"<meta charset>", ("<meta charset=\"utf-8\"><p>" + words + "</p>").toUtf8(), words},
        {"http-equiv", ("<!-- a comment --><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><p>" +
                        words + "</p>").toUtf8(), words},
        {"nothing: GBK", Gbk("<p>" + words + "</p>"), words},
        {"<script charset> and @charset in a GBK page",
         Gbk("<p>" + words + "</p>") + "<script charset=\"utf-8\" src=\"utf8.js\"></script>"
                                       "<link rel=stylesheet href=utf8.css><b id=mark></b>",
         words + u'|' + words + QStringLiteral("|\"") + words + u'"'},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray path = "/House/encoding" + QByteArray::number(++n) + ".asp";
        agency->Route(path, [row](const auto&) { return Whole("text/html", row.page); });
        auto view = Show(On(agency, QString::fromLatin1(path)));
        QString got;
        const bool all = row.expected.count(u'|') == 2;
        WaitUntil([&] {
            got = Js(*view, probe).toString();
            return !all || got.split(u'|').value(2).size() > 2;
        });
        EXPECT_EQ(all ? got : got.split(u'|').first(), row.expected);
    }
}

// A page of 40 scripts, style sheets and images loads over a few connections
// to the server, kept open and used again, as the browser's own would be.
TEST_F(LayerProxyTest, ConnectionsAreKeptAndReused) {
    QString page = QStringLiteral("<html><head>");
    for (int i = 0; i < 40; ++i) {
        const QByteArray kind = i % 3 == 0 ? "js" : i % 3 == 1 ? "css" : "gif";
        const QByteArray path = "/House/part" + QByteArray::number(i) + '.' + kind;
        agency->Route(path, [kind](const auto&) {
            const QByteArray type = kind == "js" ? "application/x-javascript" : kind == "css" ? "text/css" : "image/gif";
            return RawHttpServer::Answer{"HTTP/1.1 200 OK\r\nContent-Type: " + type +
                                         "\r\nCache-Control: no-store\r\nContent-Length: 2\r\n\r\n/*"};
        });
        page += kind == "js" ? QStringLiteral("<script src=\"part%1.js\"></script>").arg(i)
                : kind == "css" ? QStringLiteral("<link rel=stylesheet href=\"part%1.css\">").arg(i)
                                : QStringLiteral("<img src=\"part%1.gif\">").arg(i);
    }
    agency->Route("/House/parts.asp", [page](const auto&) {
        return RawHttpServer::Answer{"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nCache-Control: no-store\r\n"
                                     "Content-Length: " + QByteArray::number(page.toUtf8().size()) + "\r\n\r\n" +
                                     page.toUtf8()};
    });
    auto view = Show(On(agency, QStringLiteral("/House/blank.asp")));
    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE(load);
        const int before = agency->Connections();
        EXPECT_TRUE(test::OpenPage(*view, QUrl(On(agency, QStringLiteral("/House/parts.asp"))), false));
        EXPECT_LE(agency->Connections() - before, 8);
    }
}

// A 1 GB answer that a page reads only later, and a 1 GB download: the proxy
// takes from the server only what the engine takes from it.
TEST_F(LayerProxyTest, LargeAnswersCostNoMemory) {
    constexpr qint64 kSize = qint64(1) << 30;
    agency->Route("/House/big.asp", [](const auto&) {
        return RawHttpServer::Answer{"HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nCache-Control: no-store\r\n"
                                     "Content-Length: 1073741824\r\n\r\n", kSize};
    });
    agency->Route("/House/big.zip", [](const auto&) {
        return RawHttpServer::Answer{"HTTP/1.1 200 OK\r\nContent-Type: application/zip\r\nContent-Disposition: attachment;"
                                     " filename=big.zip\r\nContent-Length: 1073741824\r\n\r\n", kSize};
    });
    std::atomic<qint64> peak{0};
    agency->OnStreamed([&peak](qint64) { peak = std::max(peak.load(), Resident()); });
    auto view = Show(On(agency, QStringLiteral("/House/blank.asp")));

    qint64 before = Resident();
    Js(*view, QStringLiteral(
                  "window.result = ''; fetch('big.asp').then(function (r) { window.result = 'headers';"
                  "  window.readAll = function () { var reader = r.body.getReader(), n = 0;"
                  "    function more() { reader.read().then(function (p) {"
                  "      if (p.done) { window.result = 'read ' + n; return; } n += p.value.length; more(); }); }"
                  "    more(); }; }); 0"));
    EXPECT_EQ(Result(*view), "headers");
    // Unread: the server goes on until nothing takes more.
    EXPECT_TRUE(WaitUntil([&] { return agency->Stalled() || agency->Streamed() >= kSize; }, 240000));
    EXPECT_LT(Resident() - before, 50 << 20) << "grew by " << (Resident() - before) / (1 << 20) << " MB unread";
    Js(*view, QStringLiteral("window.result = ''; readAll(); 0"));
    QString read;
    EXPECT_TRUE(WaitUntil([&] { return (read = Js(*view, QStringLiteral("window.result")).toString()) != ""; }, 240000));
    EXPECT_EQ(read, QStringLiteral("read %1").arg(kSize));
    EXPECT_LT(peak - before, 50 << 20) << "grew by " << (peak - before) / (1 << 20) << " MB while read";

    const QString saved = QString::fromStdString(folder.file("big.zip"));
    // The save dialog stays open until the server can send no more.
    prompts::SetSavePathChooser([&, saved](QWidget*, const QString&) {
        WaitUntil([&] { return agency->Stalled() || agency->Streamed() >= 2 * kSize; }, 240000);
        peak = std::max(peak.load(), Resident());
        return std::optional<QString>(saved);
    });
    peak = 0;
    agency->OnStreamed([&peak](qint64) { peak = std::max(peak.load(), Resident()); });
    before = Resident();
    test::MessageRecorder messages;  // "下载完成"
    view->load(QUrl(On(agency, QStringLiteral("/House/big.zip"))));
    EXPECT_TRUE(WaitUntil([&] { return !messages.messages().empty(); }, 240000));
    EXPECT_EQ(QFileInfo(saved).size(), kSize);
    EXPECT_LT(peak - before, 50 << 20) << "grew by " << (peak - before) / (1 << 20) << " MB while downloaded";
    agency->OnStreamed(nullptr);
    QFile::remove(saved);
}

// The engine sends only the layer's hosts to the proxy: its auto-config
// script, as the engine gets it, names no other.
TEST_F(LayerProxyTest, OnlyTheLayersHostsAreSentToIt) {
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, CharsetProxy::Port());
    client.write("GET /lumaro.pac HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    ASSERT_TRUE(WaitUntil([&] { return (answer += client.readAll()).contains("return \"DIRECT\";\n}"); }));
    const QString script = QString::fromUtf8(answer.mid(answer.indexOf("\r\n\r\n") + 4));
    other->Route("/blank.asp", [](const auto&) { return Whole("text/html", "<title>blank</title>"); });
    auto view = Show(On(other, QStringLiteral("/blank.asp")));  // the script runs in a page of its own
    const auto route = [&](const QString& url, const QString& host) {
        return Js(*view, QStringLiteral("(function () { %1\n return FindProxyForURL('%2', '%3'); })()").arg(script, url, host))
            .toString();
    };
    const QString proxy = QStringLiteral("PROXY 127.0.0.1:%1; DIRECT").arg(CharsetProxy::Port());
    EXPECT_EQ(route(On(agency, QStringLiteral("/House/a.asp")), kAgency), proxy);
    EXPECT_EQ(route(QStringLiteral("ws://agency.test:%1/").arg(agency->Port()), kAgency), proxy);
    EXPECT_EQ(route(On(other, QStringLiteral("/a.asp")), kOther), "DIRECT");
    EXPECT_EQ(route(QStringLiteral("http://agency.test:%1/").arg(other->Port()), kAgency), "DIRECT");
    EXPECT_EQ(route(QStringLiteral("http://agency.test/"), kAgency), "DIRECT");
}

// Another program on the desk that connects to the proxy's port reaches no
// server through it, nor a tunnel.
TEST_F(LayerProxyTest, AnotherProgramGetsNothingRelayed) {
    bool reached = false;
    agency->Route("/House/secret.asp", [&reached](const auto&) {
        reached = true;
        return Whole("text/plain", "secret");
    });
    for (const QByteArray& request :
         {"GET " + On(agency, QStringLiteral("/House/secret.asp")).toLatin1() +
              " HTTP/1.1\r\nHost: agency.test\r\nConnection: close\r\n\r\n",
          "CONNECT agency.test:" + QByteArray::number(agency->Port()) + " HTTP/1.1\r\nHost: agency.test\r\n\r\n"
          "GET /House/secret.asp HTTP/1.1\r\nHost: agency.test\r\nConnection: close\r\n\r\n"}) {
        const std::string script = "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(CharsetProxy::Port()) +
                                   " && printf '%s' \"$REQUEST\" >&3 && timeout 30 cat <&3";
        qputenv("REQUEST", request);
        const test::Outcome outcome = test::Run("/bin/bash", {"-c", script});
        EXPECT_EQ(outcome.out, "") << request.toStdString();
    }
    qunsetenv("REQUEST");
    EXPECT_FALSE(reached);
}

// The proxy gone, the agency's pages still load (the engine goes direct), and
// the notice bar says once what is missing. Last: the proxy stays gone.
TEST_F(LayerProxyTest, ZPagesLoadWhenTheProxyIsGone) {
    agency->Route("/House/list.asp", [](const auto&) { return Whole("text/html", Gbk(QStringLiteral("<p>房源列表</p>"))); });
    auto view = Show(On(agency, QStringLiteral("/House/list.asp")));
    EXPECT_EQ(Js(*view, QStringLiteral("document.body.innerText")).toString(), QStringLiteral("房源列表"));
    EXPECT_FALSE(NoticeBar::For(view.get())->isVisible());
    CharsetProxy::StopListening();
    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE(load);
        EXPECT_TRUE(test::OpenPage(*view, QUrl(On(agency, QStringLiteral("/House/list.asp"))), false));
        EXPECT_EQ(Js(*view, QStringLiteral("document.body.innerText.length")).toInt(), 4);
        if (load == 0) {
            EXPECT_TRUE(WaitUntil([&] { return NoticeBar::For(view.get())->isVisible(); }));
        } else {
            EXPECT_FALSE(NoticeBar::For(view.get())->isVisible());  // once
        }
    }
}

}  // namespace
}  // namespace lumaro
