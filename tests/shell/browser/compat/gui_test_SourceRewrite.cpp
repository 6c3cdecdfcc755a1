// Pages and scripts of the agency's server as the proxy hands them to the
// browser: JScript's syntax in their scripts given its meaning, in their own
// encoding, every other byte as the server sent it.
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include "core/Table.h"
#include "gui/GuiTestKit.h"
#include "gui/RawHttpServer.h"
#include "shell/browser/compat/AnswerRewrite.h"
#include "shell/browser/compat/CharsetProxy.h"
#include "shell/browser/compat/SourceRewrite.h"

namespace lumaro {
namespace {

// A table's text in the bytes a server sends: "gbk" encodes it, "gbk-bytes" and "utf-8" keep its bytes.
QByteArray Bytes(const std::string& text, const std::string& encoding) {
    if (encoding != "gbk") return QByteArray::fromStdString(text);
    QStringEncoder gbk("GBK");
    return gbk(QString::fromStdString(text));
}

// Each row: page or script, the encoding, what the server sent, what the browser gets (or "untouched").
TEST(RewriteSource, GivesTheScriptsJScriptsMeaningInTheirEncoding) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/source_rewrites.txt")) {
        const QByteArray charset = row.at(1) == "utf-8" ? "utf-8" : "GBK";
        const std::optional<QByteArray> out = RewriteSource(
            Bytes(row.at(2), row.at(1)), row.at(0) == "page" ? SourceKind::Page : SourceKind::Script, charset);
        const QByteArray expected = row.at(3) == "untouched" ? "untouched" : Bytes(row.at(3), row.at(1));
        EXPECT_EQ(out.value_or("untouched").toStdString(), expected.toStdString()) << row.at(2);
    }
}

// Pages no person wrote get an answer quickly: passed on as sent, or rewritten.
TEST(RewriteSource, AnswersAdversarialPages) {
    const QByteArray deep = QByteArray("<div>").repeated(200000) + "<script>function a.b(){}</script>";
    EXPECT_FALSE(RewriteSource(deep, SourceKind::Page, "GBK"));
    const QByteArray unterminated = "<script>/*@cc_on @if (@_win32) function a.b(){ '" + QByteArray(1 << 20, 'x');
    EXPECT_EQ(RewriteSource(unterminated, SourceKind::Page, "GBK").value_or("").left(30), "<script>throw new SyntaxError(");
    const QByteArray handlers = QByteArray("<a onclick='function a.b(){}'>x</a>").repeated(20000);
    EXPECT_EQ(RewriteSource(handlers, SourceKind::Page, "GBK").value_or("").count("a.b=jscript$a$b;"), 20000);
}

// What the browser gets of an answer the server sent, through the proxy:
// its status, Content-Length and body.
QByteArray ThroughProxy(test::RawHttpServer& server, const QByteArray& path) {
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), CharsetProxy::Port()));
    QNetworkRequest request(QUrl(server.Url(QString::fromLatin1(path))));
    request.setRawHeader("Accept-Encoding", "gzip");  // asked for: the bytes as they came, not unpacked
    QNetworkReply* reply = network.get(request);
    test::WaitUntil([reply] { return reply->isFinished(); }, 60000);
    const QByteArray got = QByteArray::number(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()) +
                           " [" + reply->rawHeader("Content-Length") + "] " + reply->readAll();
    delete reply;
    return got;
}

// The answers of the proxy: rewritten ones whole with their length, the rest as they came.
TEST(AnswerRewrite, SendsRewrittenAnswersWholeAndTheRestAsTheyCame) {
    test::RawHttpServer server, other;
    CharsetProxy::Start(QString());
    CharsetProxy::SetOrigins({server.Url(QString())});
    const QByteArray script = "function window.onload() {}";
    const QByteArray rewritten = "window.onload=jscript$window$onload;function jscript$window$onload() {}";
    const QByteArray js = "HTTP/1.1 200 OK\r\nContent-Type: application/x-javascript; charset=GBK\r\n";
    const QByteArray big = script + QByteArray(AnswerRewrite::kMaxBody, ' ');
    const struct {
        const char* what;
        bool layer;
        QByteArray answer;
        QByteArray expected;
    } rows[] = {
        {"a script", true, js + "Content-Length: 27\r\n\r\n" + script, "200 [71] " + rewritten},
        {"chunked", true, js + "Transfer-Encoding: chunked\r\n\r\na\r\n" + script.left(10) + "\r\n11\r\n" + script.mid(10) +
                              "\r\n0\r\n\r\n", "200 [71] " + rewritten},
        {"badly chunked: refused", true, js + "Transfer-Encoding: chunked\r\n\r\nzz\r\n" + script, "502 ["},
        {"another server's", false, js + "Content-Length: 27\r\n\r\n" + script, "200 [27] " + script},
        {"compressed", true, js + "Content-Encoding: gzip\r\nContent-Length: 27\r\n\r\n" + script, "200 [27] " + script},
        {"a style sheet", true, "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\nContent-Length: 27\r\n\r\n" + script,
         "200 [27] " + script},
        {"not modified", true, "HTTP/1.1 304 Not Modified\r\nContent-Type: text/html\r\n\r\n", "304 [] "},
        {"nothing to rewrite", true, js + "Content-Length: 9\r\n\r\nvar a = 1", "200 [9] var a = 1"},
        {"larger than it holds: unchanged", true,
         js + "Content-Length: " + QByteArray::number(big.size()) + "\r\n\r\n" + big,
         "200 [" + QByteArray::number(big.size()) + "] " + big},
    };
    int n = 0;
    for (const auto& row : rows) {
        const QByteArray path = "/answer" + QByteArray::number(++n);
        test::RawHttpServer& serving = row.layer ? server : other;
        serving.Route(path, [&row](const auto&) { return test::RawHttpServer::Answer{row.answer}; });
        const QByteArray got = ThroughProxy(serving, path);
        EXPECT_TRUE(got.startsWith(row.expected)) << row.what << ": " << got.left(200).toStdString();
    }
}

}  // namespace
}  // namespace lumaro
