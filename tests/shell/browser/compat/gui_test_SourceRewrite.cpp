// Pages and scripts of the agency's server as the proxy hands them to the
// browser: JScript's syntax in their scripts given its meaning, in their own
// encoding, every other byte as the server sent it.
#include <QList>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include "core/Table.h"
#include "shell/browser/compat/AnswerRewrite.h"
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

QByteArray Through(AnswerRewrite& filter, const QList<QByteArray>& pieces) {
    QByteArray sent;
    for (const QByteArray& piece : pieces) sent += filter.Pass(piece);
    return sent + filter.End();
}

// The answers of the proxy: rewritten ones whole with their length, the rest as they came.
TEST(AnswerRewrite, SendsRewrittenAnswersWholeAndTheRestAsTheyCame) {
    const QByteArray script = "function window.onload() {}";
    const QByteArray rewritten = "window.onload=jscript$window$onload;function jscript$window$onload() {}";
    const QByteArray js = "HTTP/1.1 200 OK\r\nContent-Type: application/x-javascript; charset=GBK\r\n";
    const struct {
        const char* what;
        bool layer;
        QList<QByteArray> pieces;
        QByteArray expected;
    } rows[] = {
        {"a script, its head in two pieces", true,
         {js.left(20), js.mid(20) + "Content-Length: 27\r\n\r\n", script.left(10), script.mid(10)},
         js + "Content-Length: 71\r\n\r\n" + rewritten},
        {"chunked", true,
         {js + "Transfer-Encoding: chunked\r\n\r\n", "a\r\n" + script.left(10) + "\r\n", "11\r\n" + script.mid(10) + "\r\n0\r\n\r\n"},
         js + "Content-Length: 71\r\n\r\n" + rewritten},
        {"badly chunked: as it came", true,
         {js + "Transfer-Encoding: chunked\r\n\r\n", "zz\r\n" + script},
         js + "Transfer-Encoding: chunked\r\n\r\n" + "zz\r\n" + script},
        {"another server's", false, {js + "\r\n", script}, js + "\r\n" + script},
        {"compressed", true, {js + "Content-Encoding: gzip\r\n\r\n", script}, js + "Content-Encoding: gzip\r\n\r\n" + script},
        {"a style sheet", true, {"HTTP/1.1 200 OK\r\nContent-Type: text/css\r\n\r\n", script},
         "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\n\r\n" + script},
        {"not modified", true, {"HTTP/1.1 304 Not Modified\r\nContent-Type: text/html\r\n\r\n"},
         "HTTP/1.1 304 Not Modified\r\nContent-Type: text/html\r\n\r\n"},
        {"nothing to rewrite", true, {js + "Content-Length: 9\r\n\r\n", "var a = 1"}, js + "Content-Length: 9\r\n\r\n" + "var a = 1"},
    };
    for (const auto& row : rows) {
        AnswerRewrite filter(row.layer);
        EXPECT_EQ(Through(filter, row.pieces).toStdString(), row.expected.toStdString()) << row.what;
    }
    // Larger than it holds: on as it comes, unchanged.
    AnswerRewrite filter(true);
    const QByteArray big = script + QByteArray(AnswerRewrite::kMaxBody, ' ');
    EXPECT_TRUE(Through(filter, {js + "\r\n", big.left(100), big.mid(100)}) == js + "\r\n" + big);
}

}  // namespace
}  // namespace lumaro
