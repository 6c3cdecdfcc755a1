#pragma once

#include <string>

// The pieces of the server connection that need no window: how the lookup
// request and the web application's address are put together.
namespace lumaro {

// ServerID on the first reading of a connection: the leading-number parse
// written back as plain decimal text ("000888" -> "888", "" -> "0", "12a" -> "12").
std::string NormalizeServerId(const std::string& storedId);

// The lookup request: serverIp + "?ServerID=" + serverId, nothing escaped.
std::string ComposeLookupUrl(const std::string& serverIp, const std::string& serverId);

// The web application's address: address + webRoot + "?DatabaseName=" + dbName,
// joined exactly as stored.
std::string ComposeWebUrl(const std::string& address, const std::string& webRoot, const std::string& dbName);

// True when text begins with a scheme ("http:", "https:", "file:", ...).
bool HasScheme(const std::string& url);

// What an address bar makes of a typed address: one without a scheme gets
// "http://" ("192.168.1.5/House/" -> "http://192.168.1.5/House/").
std::string AddressBarUrl(const std::string& url);

// True for an http or https address: only those may come from a lookup reply.
bool IsWebAddress(const std::string& address);

}  // namespace lumaro
