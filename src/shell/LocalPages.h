#pragma once

#include <string>

// Pages of the program's own that the browser shows (a failed lookup, a bad
// address, a crashed page), all in one look.
namespace lumaro {

// Text made safe to place inside HTML (element content or a quoted attribute).
std::string HtmlEscape(const std::string& text);

// A whole page: `title` (plain text) and `body` (HTML inside the page's box;
// links styled as buttons take class="cmd").
std::string LocalPage(const std::string& title, const std::string& body);

// The end of every page that asks the user to mend the server's settings:
// what to check (`check`, e.g. "服务器设置"), where the command is, and the
// 配置 and 连接 links ("lumaro:mSetup", "lumaro:mConnect").
std::string SettingsCommands(const std::string& check);

}  // namespace lumaro
