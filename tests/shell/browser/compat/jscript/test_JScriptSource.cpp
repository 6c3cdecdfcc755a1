// Scripts of the old pages and the form today's engine gets them in: JScript's
// conditional compilation carried out and its functions with qualified names
// given their meaning; everything else, above all a script without either,
// exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/Table.h"
#include "shell/browser/compat/jscript/JScriptSource.h"

namespace lumaro::jscript {
namespace {

std::size_t Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

std::string Rewritten(const std::string& source, CcState& state) {
    const std::optional<std::string> out = RewriteScript(source, state);
    return out ? *out : "untouched";
}

// Each row: the script, then its rewritten form or "untouched"; a third field
// "after-cc_on" runs it after a script of the page turned conditional compilation on.
TEST(RewriteScript, GivesJScriptsMeaningAndLeavesTheRestAlone) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/script_rewrites.txt")) {
        CcState state;
        if (row.size() > 2 && row[2] == "after-cc_on") state.on = true;
        const std::string out = Rewritten(row.at(0), state);
        EXPECT_EQ(out, row.at(1)) << row.at(0);
        if (out != "untouched") {
            EXPECT_EQ(Lines(out), Lines(row.at(0))) << "lines kept: " << row.at(0);
        }
    }
}

// Conditional compilation is the page's: what one script turns on or sets, the next one has.
TEST(RewriteScript, CarriesConditionalCompilationToThePagesNextScript) {
    CcState state;
    EXPECT_EQ(Rewritten("/*@cc_on @set @level = 3 @*/", state), "  ");
    EXPECT_EQ(Rewritten("var ie = /*@!@*/false, n = /*@@level + @*/0;", state), "var ie = !false, n =  3 + 0;");
    EXPECT_EQ(Rewritten("var plain = 1; // no @ here", state), "untouched");
}

// Input no script has: huge, unterminated, deeply nested. Each gets an answer, quickly.
TEST(RewriteScript, AnswersAdversarialInput) {
    CcState state;
    const std::string big(10 * 1024 * 1024, 'a');
    EXPECT_EQ(Rewritten("x=1;function window.onload(){" + big + "}", state).substr(0, 40),
              "window.onload=jscript$window$onload;x=1;");
    for (const std::string& open : {std::string("("), std::string("{"), std::string("["), std::string("`${")}) {
        std::string deep = "function a.b(){";
        for (int i = 0; i < 300000; ++i) deep += open;
        SCOPED_TRACE(open);
        const std::string out = Rewritten(deep, state);
        EXPECT_TRUE(out == "untouched" || out.size() >= deep.size());
    }
    std::string nested = "/*@cc_on @if (";
    for (int i = 0; i < 100000; ++i) nested += "(";
    EXPECT_EQ(Rewritten(nested + "1", state).substr(0, 22), "throw new SyntaxError(");
    std::string bangs = "@if (";
    for (int i = 0; i < 100000; ++i) bangs += "!";
    EXPECT_EQ(Rewritten(bangs + "1) x @end", state).substr(0, 22), "throw new SyntaxError(");
}

}  // namespace
}  // namespace lumaro::jscript
