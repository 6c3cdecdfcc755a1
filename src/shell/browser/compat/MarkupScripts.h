#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The scripts of an HTML page of the agency's server, found with an HTML5
// parser (gumbo) at their exact places in the page's text (UTF-8): inline
// script blocks in JavaScript (no type, a JavaScript type, language="JScript"
// or "javascript"; never VBScript, modules or data blocks), event-handler
// attributes (on…=) and javascript: addresses in href, src and action. Each is
// rewritten with JScript's meaning (jscript/JScriptSource.h), in the page's
// order, conditional compilation carried from one to the next.
namespace lumaro {

// One span of the page's text and what it becomes. An attribute's new text is
// escaped for its quotes; only the part of the value that changed is written anew.
struct TextChange {
    std::size_t begin, end;
    std::string text;
};

// The changes, in the page's order; none for a page without JScript's syntax.
std::vector<TextChange> RewritePageScripts(std::string_view html);

}  // namespace lumaro
