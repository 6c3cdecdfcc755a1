#pragma once

#include <string>

#include "shell/LocalPages.h"

// The pieces of the server connection that need no window: how the lookup
// request and the web application's address are put together, and the page
// shown when the lookup gives no usable address.
namespace lumaro {

// The lookup request: serverIp + "?ServerID=" + serverId, nothing escaped.
std::string ComposeLookupUrl(const std::string& serverIp, const std::string& serverId);

// The web application's address: address + webRoot + "?DatabaseName=" + dbName,
// joined exactly as stored.
std::string ComposeWebUrl(const std::string& address, const std::string& webRoot, const std::string& dbName);

// True when text begins with a scheme ("http:", "https:", "file:", ...).
bool HasScheme(const std::string& url);

// An address as browsers read it: blanks and control characters around it
// dropped, tabs and line breaks inside it removed.
std::string TrimAddress(const std::string& address);

// What an address bar makes of a typed address: trimmed, and one without a
// scheme gets "http://" ("192.168.1.5/House/" -> "http://192.168.1.5/House/").
std::string AddressBarUrl(const std::string& url);

// True for an http or https address: only those may come from a lookup reply.
bool IsWebAddress(const std::string& address);

// True when an address taken from a lookup reply may begin the web
// application's URL: once trimmed, an http or https address, or a bare host
// ("192.168.1.5", "agency.example:8080", a host name in Chinese) that the
// address bar turns into one. Anything that would open another scheme
// (javascript:, file:, data:, also with a tab inside the scheme) is refused.
// Whether the host and port are well formed is for a URL parser to say.
bool IsAcceptableLookedUpAddress(const std::string& address);

// The program's own page for a connection that found no server address: the
// lookup URL and the reason, escaped, and the 配置 and 连接 links (a wrong
// 服务器ID is mended in the server dialog).
std::string LookupFailurePage(const std::string& lookupUrl, const std::string& reason);

}  // namespace lumaro
