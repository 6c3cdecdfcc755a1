#pragma once

#include <optional>
#include <string>
#include <string_view>

// JScript's function declarations with qualified names, given the meaning
// JScript gave them ([MS-ES3] 2.1.20, [MS-ES3EX] and [MS-ES5EX] 2.4.1, 2.7.2):
//
//   function a.b.c(x) {…}    assigns the function to a.b.c when the scope it
//                            stands in starts, before its statements run, in
//                            source order with the other declarations; it binds
//                            no name. It becomes an ordinary declaration under
//                            a name of its own, assigned at the scope's start.
//                            One nested in a block or after if/else/a label is
//                            assigned where it stands (modern engines hoist
//                            functions in blocks only within the block).
//   function a.b::ev(x) {…}  attaches the function as a handler of event `ev`
//                            of a.b when the statement is reached (attachEvent,
//                            else addEventListener).
//
// Other text stays as it was; removed tokens leave their line breaks.
namespace lumaro::jscript {

std::optional<std::string> BindQualifiedFunctions(std::string_view source);

}  // namespace lumaro::jscript
