// VBScript as the client runs it in the agency's pages, in the program's
// browser against a real HTTP server: a table of snippets and the results the
// language's reference gives for them, all run in one page; blocks the client
// cannot run, each named over the page with its line while the rest of the page
// runs; and MsgBox and InputBox as the program's boxes.
#include <QDir>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>
#include <gtest/gtest.h>

#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/LayerTestKit.h"
#include "gui/TestHttpServer.h"
#include "platform/Platform.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/WebBrowser.h"

namespace lumaro {
namespace {

using test::Js;
using test::LayerProgram;
using test::TestHttpServer;
using test::WaitUntil;

// A snippet: an expression, or statements that leave their result in v; and
// its result as "<TypeName> <CStr>", "Null", or "Error <number>".
struct Snippet {
    const char* code;
    const char* result;
};

const Snippet kSnippets[] = {
    // ---- conversions, and strings read as numbers
    {"CInt(\"12\")", "Integer 12"},
    {"CInt(\"abc\")", "Error 13"},
    {"CInt(32767.5)", "Error 6"},
    {"CLng(\"1,234\")", "Long 1234"},
    {"CDbl(\"1.5E3\")", "Double 1500"},
    {"CDbl(5)", "Double 5"},
    {"CSng(1.5)", "Single 1.5"},
    {"CByte(256)", "Error 6"},
    {"CBool(\"True\")", "Boolean True"},
    {"CBool(0)", "Boolean False"},
    {"CBool(\"abc\")", "Error 13"},
    {"CStr(1 / 3)", "String 0.333333333333333"},
    {"CStr(9.2 * 100)", "String 920"},
    {"CStr(1E+20)", "String 1E+20"},
    {"\"12\" + 1", "Double 13"},
    {"\" 12 \" * 2", "Double 24"},
    {"\"&H10\" + 0", "Double 16"},
    {"\"1,000\" + 0", "Double 1000"},
    {"\"12abc\" + 1", "Error 13"},
    {"\"1\" + \"2\"", "String 12"},
    {"1 & 2", "String 12"},
    {"IsNumeric(\"1e3\")", "Boolean True"},
    {"IsNumeric(\"\")", "Boolean False"},
    {"IsNumeric(\"1.2.3\")", "Boolean False"},
    {"IsNumeric(Empty)", "Boolean True"},
    {"IsNumeric(Null)", "Boolean False"},
    {"Hex(255)", "String FF"},
    {"Hex(-1)", "String FFFF"},
    {"Hex(CLng(-1))", "String FFFFFFFF"},
    {"Oct(8)", "String 10"},
    {"&HFFFF", "Integer -1"},
    {"&H10000", "Long 65536"},
    {"32767 + 1", "Long 32768"},
    {"2147483647 + 1", "Double 2147483648"},
    {"VarType(\"a\")", "Integer 8"},
    {"VarType(Array())", "Integer 8204"},
    {"TypeName(Nothing)", "String Nothing"},

    // ---- rounding: to even, Int down, Fix toward zero
    {"CInt(2.5)", "Integer 2"},
    {"CInt(3.5)", "Integer 4"},
    {"CInt(-2.5)", "Integer -2"},
    {"Round(2.5)", "Double 2"},
    {"Round(3.5)", "Double 4"},
    {"Round(-2.5)", "Double -2"},
    {"Round(0.125, 2)", "Double 0.12"},
    {"Round(1.2345, 2)", "Double 1.23"},
    {"Int(-2.5)", "Double -3"},
    {"Fix(-2.5)", "Double -2"},
    {"Int(2.9)", "Double 2"},
    {"Abs(-3)", "Integer 3"},
    {"Sgn(-0.5)", "Integer -1"},

    // ---- arithmetic: / always divides, \ and Mod round first and keep the dividend's sign
    {"10 / 4", "Double 2.5"},
    {"10 / 2", "Double 5"},
    {"-7 \\ 2", "Integer -3"},
    {"7 \\ -2", "Integer -3"},
    {"-7 Mod 3", "Integer -1"},
    {"7 Mod -3", "Integer 1"},
    {"7.5 \\ 2", "Long 4"},
    {"6.5 Mod 4", "Long 2"},
    {"1 / 0", "Error 11"},
    {"5 Mod 0", "Error 11"},
    {"2 ^ 10", "Double 1024"},
    {"-2 ^ 2", "Double -4"},
    {"6 And 3", "Integer 2"},
    {"6 Or 3", "Integer 7"},
    {"6 Xor 3", "Integer 5"},
    {"Not 0", "Integer -1"},
    {"True And 5", "Integer 5"},
    {"Not True", "Boolean False"},

    // ---- Empty and Null
    {"Empty + 1", "Integer 1"},
    {"Empty * 5", "Integer 0"},
    {"Empty & \"a\"", "String a"},
    {"Empty = 0", "Boolean True"},
    {"Empty = \"\"", "Boolean True"},
    {"Null + 1", "Null"},
    {"Null & \"a\"", "String a"},
    {"Null = Null", "Null"},
    {"Len(Null)", "Null"},
    {"Null And False", "Boolean False"},
    {"Null Or True", "Boolean True"},
    {"CStr(Null)", "Error 94"},
    {"v = Empty", "Empty"},

    // ---- strings: binary comparison unless told otherwise, positions from 1
    {"\"abc\" < \"abd\"", "Boolean True"},
    {"\"a\" < \"B\"", "Boolean False"},
    {"\"10\" < \"9\"", "Boolean True"},
    {"StrComp(\"a\", \"A\")", "Integer 1"},
    {"StrComp(\"a\", \"A\", vbTextCompare)", "Integer 0"},
    {"InStr(\"ABC\", \"b\")", "Long 0"},
    {"InStr(1, \"ABC\", \"b\", vbTextCompare)", "Long 2"},
    {"InStrRev(\"abcabc\", \"c\")", "Long 6"},
    {"Replace(\"aAa\", \"a\", \"x\", 1, -1, vbTextCompare)", "String xxx"},
    {"Replace(\"abcabc\", \"b\", \"X\", 3)", "String caXc"},
    {"Mid(\"abcdef\", 3)", "String cdef"},
    {"Left(\"abc\", 5) & Right(\"abc\", 1)", "String abcc"},
    {"\"[\" & Trim(\"  a  \") & \"]\"", "String [a]"},
    {"Space(2) & String(3, \"*\")", "String   ***"},
    {"StrReverse(\"abc\")", "String cba"},
    {"UCase(\"abc\") & LCase(\"DEF\")", "String ABCdef"},
    {"s = \"10\" : n = 100 : v = s < n", "Boolean False"},
    {"Len(\"中文\")", "Long 2"},
    {"LenB(\"中文\")", "Long 4"},
    {"MidB(\"中文\", 3, 2)", "String 文"},
    {"LenB(MidB(\"abc\", 2, 1))", "Long 1"},
    {"CStr(AscB(MidB(\"中\", 2, 1)))", "String 78"},
    {"ChrB(65) & ChrB(0)", "String A"},
    {"Asc(\"中\")", "Integer -10544"},
    {"Chr(&HD6D0)", "String 中"},
    {"AscW(\"中\")", "Integer 20013"},
    {"ChrW(20013)", "String 中"},
    {"Escape(\"a b\")", "String a%20b"},
    {"Unescape(\"%u4E2D\")", "String 中"},
    {"FormatNumber(1234.5)", "String 1,234.50"},
    {"FormatNumber(-1234.567, 2)", "String -1,234.57"},
    {"FormatNumber(0.5, 2, 0)", "String .50"},
    {"FormatNumber(-5, 0, , -1)", "String (5)"},
    {"FormatPercent(0.1234)", "String 12.34%"},
    {"FormatCurrency(1234.5)", "String ￥1,234.50"},

    // ---- dates: literals, serials that run over, the desk's way of writing them
    {"#2004-05-01 13:05:09#", "Date 2004-5-1 13:05:09"},
    {"#5/1/2004#", "Date 2004-5-1"},
    {"CDate(\"2004年5月1日\")", "Date 2004-5-1"},
    {"DateValue(\"2004-5-1 13:05\")", "Date 2004-5-1"},
    {"TimeSerial(13, 5, 9)", "Date 13:05:09"},
    {"DateSerial(2004, 2, 30)", "Date 2004-3-1"},
    {"DateSerial(2004, 13, 1)", "Date 2005-1-1"},
    {"DateAdd(\"m\", 1, #2004-01-31#)", "Date 2004-2-29"},
    {"DateAdd(\"d\", -1, #2004-03-01#)", "Date 2004-2-29"},
    {"DateAdd(\"h\", 25, #2004-05-01#)", "Date 2004-5-2 1:00:00"},
    {"DateDiff(\"d\", #2004-01-01#, #2004-12-31#)", "Long 365"},
    {"DateDiff(\"m\", #2003-12-31#, #2004-01-01#)", "Long 1"},
    {"DateDiff(\"yyyy\", #2003-12-31#, #2004-01-01#)", "Long 1"},
    {"#2004-05-02# - #2004-05-01#", "Double 1"},
    {"#2004-05-01# + 1", "Date 2004-5-2"},
    {"Weekday(#2004-05-01#)", "Integer 7"},
    {"Year(#2004-05-01#) & \"/\" & Month(#2004-05-01#) & \"/\" & Day(#2004-05-01#)", "String 2004/5/1"},
    {"FormatDateTime(#2004-05-01#, vbLongDate)", "String 2004年5月1日"},
    {"FormatDateTime(#2004-05-01 09:05:00#, vbShortTime)", "String 09:05"},
    {"document.body.setAttribute \"data-d\", #2004-05-01 13:05:09# : v = document.body.getAttribute(\"data-d\")",
     "String 2004-5-1 13:05:09"},
    {"document.body.title = DateSerial(2004, 5, 1) : v = document.body.title", "String 2004-5-1"},
    {"document.body.title = Empty : v = \"[\" & document.body.title & \"]\"", "String []"},
    {"IsDate(\"2004-2-30\")", "Boolean False"},
    {"IsDate(\"2004/2/29\")", "Boolean True"},
    {"Year(Now) >= 2024 And Date <= Now", "Boolean True"},
    {"Hour(#13:05:09#) & Minute(#13:05:09#) & Second(#13:05:09#)", "String 1359"},
    {"TypeName(Time) & TypeName(Date) & TypeName(Timer)", "String DateDateSingle"},

    // ---- arrays and statements
    {"UBound(Array(1, 2, 3))", "Long 2"},
    {"LBound(Array(1, 2, 3))", "Long 0"},
    {"UBound(Split(\"\"))", "Long -1"},
    {"Join(Split(\"a,b,c\", \",\"), \"-\")", "String a-b-c"},
    {"Dim a(3, 4) : a(2, 3) = 7 : v = a(2, 3) + UBound(a, 1) * 10 + UBound(a, 2) * 100", "Long 437"},
    {"Dim a(1) : a(1) = 5 : v = a(2)", "Error 9"},
    {"ReDim a(1) : a(0) = 5 : ReDim Preserve a(3) : v = a(0) & UBound(a)", "String 53"},
    {"Dim a(1) : ReDim a(3)", "Error 10"},
    {"v = 0 : For i = 10 To 1 Step -3 : v = v + i : Next", "Integer 22"},
    {"v = \"\" : For Each x In Array(\"a\", \"b\") : v = v & x : Next", "String ab"},
    {"v = 0\nDo\n  v = v + 1\n  If v = 5 Then Exit Do\nLoop", "Integer 5"},
    {"v = 0 : Do Until v >= 3 : v = v + 1 : Loop", "Integer 3"},
    {"v = 0 : Do : v = v + 1 : Loop While v < 3", "Integer 3"},
    {"v = 0\nFor i = 1 To 10\n  If i = 4 Then Exit For\n  v = v + i\nNext", "Integer 6"},
    {"v = 10 : While v > 3 : v = v - 4 : Wend", "Integer 2"},
    {"Select Case 3 : Case 1, 2 : v = \"a\" : Case 3, 4 : v = \"b\" : Case Else : v = \"c\" : End Select", "String b"},
    {"If 1 > 2 Then v = \"a\" Else v = \"b\"", "String b"},
    {"v = 1 : AddOne v : AddOne (v) : AddOneByVal v : Call AddOne(v)", "Integer 3"},
    {"On Error Resume Next : v = 1 / 0 : v = Err.Number & \" \" & Err.Description", "String 11 被零除"},
    {"On Error Resume Next : Err.Raise 1000, \"test\", \"自定义\" : v = Err.Number & Err.Description", "String 1000自定义"},
    {"On Error Resume Next : x = 1 / 0 : Err.Clear : v = Err.Number", "Integer 0"},
    {"v = Twice(21)", "Integer 42"},
    {"n = 0 : v = False And Bump(n) : v = Bump(n) Or True : v = n", "Integer 2"},
    {"Randomize 5 : v = (Rnd(-1) = Rnd(-1)) And Rnd >= 0 And Rnd < 1", "Boolean True"},
    {"TypeName(Rnd)", "String Single"},
    {"Set d = CreateObject(\"Scripting.Dictionary\") : d.Add \"a\", 1 : d(\"b\") = 2 : d(\"a\") = 3 : "
     "v = d.Count & d.Item(\"b\") & d(\"a\") & Join(d.Keys, \",\")", "String 223a,b"},
    {"DIM Total : total = 5 : v = TOTAL", "Integer 5"},
    {"Set v = Nothing : v = v Is Nothing", "Boolean True"},
    {"v = document.Body.TagName & Document.getElementsByTagName(\"BODY\").Length", "String BODY1"},
};

// A page whose VBScript runs every snippet, each in a function of its own, and
// keeps its result; AllResults() answers them, one a line.
QString SnippetPage() {
    QString page = QStringLiteral(
        "<html><head><script language=\"VBScript\">\n"
        "Function Show(v)\n"
        "  If IsNull(v) Then\n"
        "    Show = \"Null\"\n"
        "  ElseIf IsEmpty(v) Then\n"
        "    Show = \"Empty\"\n"
        "  Else\n"
        "    Show = TypeName(v) & \" \" & CStr(v)\n"
        "  End If\n"
        "End Function\n"
        "Sub AddOne(x) : x = x + 1 : End Sub\n"
        "Sub AddOneByVal(ByVal x) : x = x + 1 : End Sub\n"
        "Function Twice(n) : Twice = n * 2 : End Function\n"
        "Function Bump(x) : x = x + 1 : Bump = True : End Function\n");
    const int count = int(std::size(kSnippets));
    for (int i = 0; i < count; ++i) {
        const QString code = QString::fromUtf8(kSnippets[i].code);
        const bool statements = code.contains(QStringLiteral("v = ")) || code.contains(u'\n') ||
                                code.startsWith(QLatin1String("Dim")) || code.startsWith(QLatin1String("DIM"));
        page += QStringLiteral("Function Row%1()\n%2\nRow%1 = Show(v)\nEnd Function\n")
                    .arg(i)
                    .arg(statements ? code : QStringLiteral("v = ") + code);
    }
    page += QStringLiteral("Dim results(%1)\nOn Error Resume Next\n").arg(count - 1);
    for (int i = 0; i < count; ++i)
        page += QStringLiteral("Err.Clear : results(%1) = Row%1() : If Err.Number <> 0 Then results(%1) = \"Error \" & Err.Number\n")
                    .arg(i);
    page += QStringLiteral("Function AllResults() : AllResults = Join(results, vbLf) : End Function\n"
                           "</script></head><body></body></html>");
    return page;
}

TestHttpServer::Response OldPage(const QString& html) {
    return {QByteArray::fromStdString(platform::ToAnsi(html.toStdString())), {{"Content-Type", "text/html"}}};
}

class VBScriptTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser"))); }
    static void TearDownTestSuite() { WebBrowser::ReleaseProfile(); }

    VBScriptTest() { LayerProgram::Install(true, {server.Url(QString())}); }

    // Serves `html` at `path` as the agency's server would, and shows it.
    void Show(const QString& path, const QString& html) {
        server.Route(path, OldPage(html));
        view.resize(800, 600);
        view.show();
        ASSERT_TRUE(test::OpenPage(view, QUrl(server.Url(path)), false));
    }

    static inline test::TempDir profiles;
    TestHttpServer server;
    WebBrowser view;
};

TEST_F(VBScriptTest, SnippetsGiveTheLanguagesResults) {
    Show(QStringLiteral("/House/snippets.asp"), SnippetPage());
    QStringList results;
    ASSERT_TRUE(WaitUntil([&] {
        results = Js(view, QStringLiteral("typeof AllResults == 'function' ? AllResults() : ''")).toString().split(u'\n');
        return results.size() == int(std::size(kSnippets));
    })) << "the page's VBScript did not run";
    for (int i = 0; i < results.size(); ++i)
        EXPECT_EQ(results[i].trimmed(), QString::fromUtf8(kSnippets[i].result)) << kSnippets[i].code;
}

// A block the client cannot run, what the notice names, and the line of the
// block's text (from 1) the notice gives: for a block cut short, the line after it.
struct Unrunnable {
    std::string code;
    int line;
    const char* what;
};

const Unrunnable kUnrunnable[] = {
    {"Class House\nEnd Class", 1, "Class"},
    {"Property Get Name\nEnd Property", 1, "Property"},
    {"Set h = New House", 1, "Class"},
    {"x = Eval(\"1 + 1\")", 1, "Eval"},
    {"Execute \"x = 1\"", 1, "Execute"},
    {"x = (1 +\ny = 2", 1, "语法错误"},
    {"s = \"no end", 1, "语法错误"},
    {"Select Case ran\nCase 1 To 5\nEnd Select", 2, "语法错误"},
    {"Select Case ran\nCase Is > 5\nEnd Select", 2, "语法错误"},
    {"If ran Then\nran = 1", 3, "语法错误"},
    {"Sub Outer\nSub Inner\nEnd Sub\nEnd Sub", 2, "语法错误"},
    {"Next", 1, "语法错误"},
    // Nested or chained beyond any page: refused, not a reader that runs out of stack.
    {"x = " + std::string(5000, '(') + "1" + std::string(5000, ')'), 1, "语法错误"},
    {"x = " + std::string(20000, '-') + "1", 1, "语法错误"},
    {[] {
         std::string chain = "x = 1";
         for (int i = 0; i < 5000; ++i) chain += " & 1";
         return chain;
     }(),
     1, "语法错误"},
};

TEST_F(VBScriptTest, BlocksThatCannotRunAreNamedWithTheirLines) {
    QString page = QStringLiteral("<html><head><script language=\"VBScript\">\nDim ran\nran = \"good\"\n</script>\n");
    QStringList expected;
    for (const Unrunnable& block : kUnrunnable) {
        const int tagLine = int(page.count(u'\n')) + 1;
        page += QStringLiteral("<script language=\"VBScript\">\nran = ran & \" ran\"\n%1\n</script>\n")
                    .arg(QString::fromStdString(block.code));
        expected << QStringLiteral("notice:VBScript（第 %1 行：%2）").arg(tagLine + 1 + block.line).arg(QString::fromUtf8(block.what));
    }
    page += QStringLiteral("<script language=\"VBScript\">ran = ran & \" end\"</script>\n"
                           "<script>document.title = ran;</script></head><body></body></html>");
    Show(QStringLiteral("/House/unrunnable.asp"), page);
    EXPECT_TRUE(WaitUntil([&] { return view.title() == QLatin1String("good end"); })) << view.title().toStdString();
    QStringList calls;
    EXPECT_TRUE(WaitUntil([&] {
        calls = LayerProgram::Calls(view);
        return calls == expected;
    })) << calls.join(u'\n').toStdString();
}

// An error while VBScript runs, in a block or a handler, is the page's script
// error with VBScript's description and its line; the rest of the page runs.
TEST_F(VBScriptTest, RunTimeErrorsAreThePagesScriptErrors) {
    Show(QStringLiteral("/House/errors.asp"),
         QStringLiteral("<html><head><script>var errors = []; window.onerror = function (m) { errors.push(m); };</script>\n"
                        "<script language=\"VBScript\">\n"
                        "x = 1 / 0\n"
                        "</script>\n"
                        "<script language=\"VBScript\">\n"
                        "Option Explicit\n"
                        "Dim a\n"
                        "a = 1 : b = 2\n"
                        "</script>\n"
                        "<script language=\"VBScript\">\n"
                        "Sub Broken : Err.Raise 1000, \"房源\", \"没有房源\" : End Sub\n"
                        "</script></head><body><input type=\"button\" id=\"b\" onclick=\"Broken()\">\n"
                        "<input type=\"button\" id=\"c\" language=\"vbscript\" onclick=\"Me.NoSuchThing\">\n"
                        "<script>window.onload = function () {\n"
                        "  document.getElementById('b').click(); document.getElementById('c').click();\n"
                        "  document.title = 'DONE ' + errors.join('|'); };</script></body></html>"));
    ASSERT_TRUE(WaitUntil([&] { return view.title().startsWith(QLatin1String("DONE")); })) << view.title().toStdString();
    const QStringList errors = view.title().mid(5).split(u'|');
    ASSERT_EQ(errors.size(), 4) << view.title().toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("VBScript 运行时错误：被零除（第 3 行）"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains(QStringLiteral("变量未定义: 'b'（第 8 行）"))) << errors[1].toStdString();
    EXPECT_TRUE(errors[2].contains(QStringLiteral("没有房源"))) << errors[2].toStdString();
    EXPECT_TRUE(errors[3].contains(QStringLiteral("对象不支持此属性或方法: 'NoSuchThing'"))) << errors[3].toStdString();
}

// MsgBox shows the buttons, icon and default button its constants name and
// answers the constant of the button chosen; InputBox answers the text typed,
// "" when cancelled.
TEST_F(VBScriptTest, MessageAndInputBoxesAreTheProgramsOwn) {
    const struct {
        const char* call;
        const char* box;  // title:text:buttons:default button:icon
        const char* click;
        int answer;
    } rows[] = {
        {"MsgBox(\"已保存\")", "VBScript:已保存:确定:确定:none", "确定", 1},
        {"MsgBox(\"继续？\", vbOKCancel, \"房源\")", "房源:继续？:确定/取消:确定:none", "取消", 2},
        {"MsgBox(\"出错\", vbAbortRetryIgnore + vbCritical + vbDefaultButton3)", "VBScript:出错:中止/重试/忽略:忽略:critical",
         "重试", 4},
        {"MsgBox(\"保存修改？\", vbYesNoCancel + vbExclamation + vbDefaultButton2, \"房源\")",
         "房源:保存修改？:是/否/取消:否:warning", "取消", 2},
        {"MsgBox(\"删除？\", vbYesNo + vbQuestion, \"房源\")", "房源:删除？:是/否:是:question", "否", 7},
        {"MsgBox(\"连接失败\", vbRetryCancel + vbInformation)", "VBScript:连接失败:重试/取消:重试:information", "重试", 4},
    };
    std::deque<QString> clicks;
    QStringList boxes, expected, code, answers;
    for (const auto& row : rows) {
        clicks.push_back(QString::fromUtf8(row.click));
        expected << QString::fromUtf8(row.box);
        code << QString::fromUtf8(row.call);
        answers << QString::number(row.answer);
    }
    prompts::SetChoiceQuestion([&](QWidget*, const prompts::Choice& box) {
        static const char* const icons[] = {"none", "critical", "question", "warning", "information"};
        boxes << QStringLiteral("%1:%2:%3:%4:%5")
                     .arg(box.title, box.text, box.buttons.join(u'/'), box.buttons.value(box.defaultButton),
                          QLatin1String(icons[int(box.icon)]));
        const QString click = clicks.front();
        clicks.pop_front();
        return int(box.buttons.indexOf(click));
    });
    QStringList asked;
    prompts::SetTextQuestion([&](QWidget*, const QString& question, const QString& proposal, const QString& title)
                                 -> std::optional<QString> {
        asked << QStringLiteral("%1:%2:%3").arg(title, question, proposal);
        if (asked.size() == 1) return proposal + QStringLiteral("88886666");
        return std::nullopt;
    });
    Show(QStringLiteral("/House/boxes.asp"),
         QStringLiteral("<html><head><script language=\"VBScript\">\n"
                        "document.title = %1 & \",\" & InputBox(\"电话\", \"客户\", \"010-\") & \",\" & InputBox(\"备注\")\n"
                        "</script></head><body></body></html>")
             .arg(code.join(QStringLiteral(" & \",\" & "))));
    EXPECT_TRUE(WaitUntil([&] { return view.title().contains(u','); })) << view.title().toStdString();
    EXPECT_EQ(view.title(), answers.join(u',') + QStringLiteral(",010-88886666,"));
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(asked, QStringList({QStringLiteral("客户:电话:010-"), QStringLiteral("VBScript:备注:")}));
    prompts::SetChoiceQuestion({});
    prompts::SetTextQuestion({});
}

}  // namespace
}  // namespace lumaro
