#include "core/Environment.h"

#include <cstdlib>

#ifdef _WIN32
#include "platform/Win32Text.h"
#endif

namespace lumaro::test {

namespace {

std::optional<std::string> Get(const std::string& name) {
#ifdef _WIN32
    const wchar_t* value = ::_wgetenv(platform::Wide(name).c_str());
    return value ? std::optional(platform::Utf8(value)) : std::nullopt;
#else
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
#endif
}

void Set(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    // Sets the C runtime's copy and the system's alike; "" removes the variable.
    ::_wputenv_s(platform::Wide(name).c_str(), value ? platform::Wide(*value).c_str() : L"");
#else
    value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
#endif
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(const std::string& name, const std::optional<std::string>& value)
    : name_(name), old_(Get(name)) {
    Set(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { Set(name_, old_); }

}  // namespace lumaro::test
