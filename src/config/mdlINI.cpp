#include "config/mdlINI.h"

#include <optional>
#include <string_view>
#include <utility>

#include "config/ProfileFile.h"
#include "platform/Platform.h"

namespace lumaro {

std::string ConfigFilePath;

namespace {

bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

// Names as the file will hold them: blanks trimmed.
std::string_view Trimmed(const std::string& name) { return profile::TrimBlanks(name); }

}  // namespace

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key) {
    try {
        // A name the file's code page cannot hold cannot be in the file.
        const auto ansiSection = platform::ToAnsiExact(Trimmed(section));
        const auto ansiKey = platform::ToAnsiExact(Trimmed(key));
        if (!ansiSection || !ansiKey) return {};
        const auto bytes = platform::ReadFileBytes(file);
        if (!bytes) return {};
        return platform::FromAnsi(profile::ReadValue(*bytes, *ansiSection, *ansiKey));
    } catch (...) {
        // Reading never fails: even running out of memory on a huge file reads as empty.
        return {};
    }
}

void WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
    WriteIniValue(file, section, key, value);
}

std::string IniWriteRefusal(const std::string& section, const std::string& key, const std::string& value) {
    const std::pair<const char*, const std::string*> texts[] = {
        {"the section name", &section}, {"the key", &key}, {"the value", &value}};
    // Anything that would end the line early or start a new one.
    for (const auto& [what, text] : texts) {
        if (Holds(*text, '\r') || Holds(*text, '\n')) return std::string(what) + " contains a line break";
        if (Holds(*text, '\0')) return std::string(what) + " contains a zero character";
    }
    if (Holds(section, ']')) return "the section name contains \"]\"";
    const auto name = Trimmed(key);
    if (name.empty()) return "the key is empty";
    if (Holds(name, '=')) return "the key contains \"=\"";
    if (name.front() == '[') return "the key begins with \"[\"";  // it could read as a section heading
    for (const auto& [what, text] : texts) {
        if (!platform::ToAnsiExact(*text)) {
            return std::string(what) + " is not valid UTF-8 or holds characters code page 936 (GBK) cannot store";
        }
    }
    return {};
}

std::string IniWriteRefusal(const std::string& /*file*/, const std::string& section, const std::string& key,
                            const std::string& value) {
    return IniWriteRefusal(section, key, value);
}

IniWriteResult WriteIniValues(const std::string& file, const std::string& section, const IniValues& values,
                              std::string& why) {
    for (const auto& [key, value] : values) {
        why = IniWriteRefusal(file, section, key, value);
        if (!why.empty()) return IniWriteResult::Refused;
    }
    try {
        const std::string ansiSection = platform::ToAnsiExact(Trimmed(section)).value();
        std::vector<std::pair<std::string, std::string>> ansiValues;
        for (const auto& [key, value] : values)
            ansiValues.emplace_back(platform::ToAnsiExact(Trimmed(key)).value(), platform::ToAnsiExact(value).value());
        const bool replaced = platform::ReplaceFileLocked(
            file,
            [&](const std::optional<std::string>& old) {
                std::string content = old ? *old : std::string();
                for (const auto& [key, value] : ansiValues) content = profile::WriteValue(content, ansiSection, key, value);
                return content;
            },
            &why);
        return replaced ? IniWriteResult::Written : IniWriteResult::Failed;
    } catch (const std::exception& e) {
        why = e.what();
    } catch (...) {
        why = "unexpected failure";
    }
    return IniWriteResult::Failed;
}

IniWriteResult WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value, std::string& why) {
    return WriteIniValues(file, section, {{key, value}}, why);
}

IniWriteResult WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) {
    std::string why;
    return WriteIniValue(file, section, key, value, why);
}

}  // namespace lumaro
