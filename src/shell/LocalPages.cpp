#include "shell/LocalPages.h"

namespace lumaro {

std::string HtmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string LocalPage(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>" + HtmlEscape(title) +
           "</title><style>"
           "body{font-family:'WenQuanYi Zen Hei','Microsoft YaHei','SimSun',sans-serif;background:#f4f5f7;"
           "color:#222;margin:0;padding:48px}"
           ".box{max-width:640px;margin:0 auto;background:#fff;border:1px solid #d8dbe0;border-radius:6px;"
           "padding:24px 32px;box-shadow:0 1px 3px rgba(0,0,0,.08)}"
           "h1{font-size:20px;color:#b3261e;margin:0 0 12px}"
           "dt{font-weight:bold;margin-top:12px}dd{margin:4px 0 0;word-break:break-all}"
           "code{word-break:break-all;background:#f0f1f3;padding:2px 4px;border-radius:3px}"
           "a.cmd{display:inline-block;margin-top:20px;padding:6px 20px;background:#1f6fd1;color:#fff;"
           "text-decoration:none;border-radius:4px;margin-right:8px}"
           "</style></head><body><div class=\"box\">" +
           body + "</div></body></html>\n";
}

std::string SettingsCommands(const std::string& check) {
    return "<p>请检查" + check +
           "（工具栏的“配置”，即菜单“服务器”中的“配置服务器”），然后重新连接。</p>"
           "<a class=\"cmd\" id=\"setup\" href=\"lumaro:mSetup\">配置</a>"
           "<a class=\"cmd\" id=\"connect\" href=\"lumaro:mConnect\">连接</a>";
}

}  // namespace lumaro
