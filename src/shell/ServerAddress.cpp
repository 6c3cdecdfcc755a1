#include "shell/ServerAddress.h"

#include <algorithm>
#include <cctype>

namespace lumaro {

std::string ComposeLookupUrl(const std::string& serverIp, const std::string& serverId) {
    return serverIp + "?ServerID=" + serverId;
}

std::string ComposeWebUrl(const std::string& address, const std::string& webRoot, const std::string& dbName) {
    return address + webRoot + "?DatabaseName=" + dbName;
}

// A scheme is a letter followed by letters, digits, "+", "-" or "." and a ":".
// A one-letter "scheme" is a Windows drive (C:\...), not a scheme.
bool HasScheme(const std::string& url) {
    const auto colon = url.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    if (!std::isalpha(static_cast<unsigned char>(url[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    // "localhost:8080/x" and "host:80" carry a port, not a scheme.
    const std::string rest = url.substr(colon + 1);
    if (!rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0]))) return false;
    return true;
}

std::string TrimAddress(const std::string& address) {
    const auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::string trimmed;
    trimmed.reserve(address.size());
    for (const char c : address)
        if (c != '\t' && c != '\n' && c != '\r') trimmed += c;
    const auto first = std::find_if_not(trimmed.begin(), trimmed.end(), blankOrControl);
    const auto last = std::find_if_not(trimmed.rbegin(), trimmed.rend(), blankOrControl).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string AddressBarUrl(const std::string& url) {
    std::string address = TrimAddress(url);
    if (address.empty() || HasScheme(address)) return address;
    return "http://" + address;
}

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != lowerPrefix[i]) return false;
    return true;
}

}  // namespace

bool IsWebAddress(const std::string& address) {
    return (StartsWithNoCase(address, "http://") && address.size() > 7) ||
           (StartsWithNoCase(address, "https://") && address.size() > 8);
}

bool IsAcceptableLookedUpAddress(const std::string& lookedUp) {
    const std::string address = TrimAddress(lookedUp);
    if (address.empty()) return false;
    if (IsWebAddress(address)) return true;
    // A bare host begins with a letter or digit (of any script), or "[" for an IPv6 literal.
    const unsigned char first = static_cast<unsigned char>(address[0]);
    if (!std::isalnum(first) && first != '[' && first < 0x80) return false;
    return !HasScheme(address);
}

std::string LookupFailurePage(const std::string& lookupUrl, const std::string& reason) {
    return LocalPage("无法获取服务器地址",
                     "<h1>无法获取服务器地址</h1>"
                     "<p>没有从地址查询服务得到 Web 服务器的地址，因此无法打开业务系统。</p>"
                     "<dl><dt>查询地址</dt><dd><code id=\"lookup-url\">" +
                         HtmlEscape(lookupUrl) + "</code></dd><dt>原因</dt><dd id=\"reason\">" + HtmlEscape(reason) +
                         "</dd></dl>" + SettingsCommands("网络连接和服务器设置中的服务器ID"));
}

}  // namespace lumaro
