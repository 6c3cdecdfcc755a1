#include "shell/ServerAddress.h"

#include <cctype>

#include "config/Numbers.h"

namespace lumaro {

std::string NormalizeServerId(const std::string& storedId) { return NumberText(Val(storedId)); }

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

std::string AddressBarUrl(const std::string& url) {
    if (url.empty() || HasScheme(url)) return url;
    return "http://" + url;
}

bool IsWebAddress(const std::string& address) {
    auto starts = [&](const char* prefix) {
        const std::string p(prefix);
        if (address.size() < p.size()) return false;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(address[i])) != p[i]) return false;
        return true;
    };
    return (starts("http://") && address.size() > 7) || (starts("https://") && address.size() > 8);
}

}  // namespace lumaro
