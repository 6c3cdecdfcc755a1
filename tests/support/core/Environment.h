#pragma once

#include <optional>
#include <string>

namespace lumaro::test {

// An environment variable set (or, with nothing, removed) while this lives; UTF-8.
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::string& name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// Separates the folders of PATH.
#ifdef _WIN32
inline constexpr char PathListSeparator = ';';
#else
inline constexpr char PathListSeparator = ':';
#endif

}  // namespace lumaro::test
