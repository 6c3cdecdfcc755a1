#include "config/mdlINI.h"

#include <optional>
#include <string_view>
#include <utility>

#include "config/ProfileFile.h"
#include "config/ProfileText.h"
#include "config/SettingsLayers.h"
#include "platform/Platform.h"
#include "platform/TextBytes.h"

namespace lumaro {

std::string ConfigFilePath;

namespace {

bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

// Names as the file will hold them: blanks trimmed.
std::string_view Trimmed(const std::string& name) { return profile::TrimBlanks(name); }

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0, n = 0; i < text.size(); i += n) {
        if ((n = platform::Utf8SequenceLength(text, i)) == 0) return false;
    }
    return true;
}

// A text as a file in `encoding` holds it; nothing when it cannot hold it.
std::optional<std::string> Stored(std::string_view utf8, profile::Encoding encoding) {
    if (encoding == profile::Encoding::Ansi) return platform::ToAnsiExact(utf8);
    if (!IsUtf8(utf8)) return std::nullopt;
    return std::string(utf8);
}

// A value read from a Unicode file, cut as the profile functions cut it in
// code page 936: whole characters in ValueLimit bytes, a character the code
// page lacks taking one (the "?" it becomes there).
std::string CutToValueLimit(const std::string& utf8) {
    // No character takes more bytes in the code page than in UTF-8.
    if (utf8.size() <= profile::ValueLimit) return utf8;
    std::size_t bytes = 0, kept = 0;
    while (kept < utf8.size()) {
        const std::size_t n = platform::Utf8SequenceLength(utf8, kept);
        const auto ansi = platform::ToAnsiExact(std::string_view(utf8).substr(kept, n));
        bytes += ansi ? ansi->size() : 1;
        if (bytes > profile::ValueLimit) break;
        kept += n;
    }
    return utf8.substr(0, kept);
}

// Why one of the texts cannot be stored in a file in `encoding`, or "".
std::string StorageRefusal(const std::string& section, const std::string& key, const std::string& value,
                           profile::Encoding encoding) {
    const std::pair<const char*, const std::string*> texts[] = {
        {"the section name", &section}, {"the key", &key}, {"the value", &value}};
    for (const auto& [what, text] : texts) {
        if (Stored(*text, encoding)) continue;
        if (encoding == profile::Encoding::Ansi) {
            return std::string(what) + " is not valid UTF-8 or holds characters code page 936 (GBK) cannot store";
        }
        return std::string(what) + " is not valid UTF-8";
    }
    return {};
}

// What would break the line structure of any file.
std::string LineRefusal(const std::string& section, const std::string& key, const std::string& value) {
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
    return {};
}

// The encoding of `file` as it is now: a missing file will be written in code page 936.
profile::Encoding EncodingOfFile(const std::string& file) {
    const auto bytes = platform::ReadFileBytes(file);
    return bytes ? profile::EncodingOf(*bytes) : profile::Encoding::Ansi;
}


// The value of the key in this one file; nothing when the file holds no line for it.
std::optional<std::string> ValueInFile(const std::string& file, const std::string& section, const std::string& key) {
    auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return std::nullopt;
    const profile::ProfileText text = profile::DecodeText(std::move(*bytes));
    // A name the file cannot hold cannot be in the file.
    const auto storedSection = Stored(Trimmed(section), text.encoding);
    const auto storedKey = Stored(Trimmed(key), text.encoding);
    if (!storedSection || !storedKey) return std::nullopt;
    if (!profile::HoldsValue(text.text, *storedSection, *storedKey, text.charset())) return std::nullopt;
    if (text.encoding == profile::Encoding::Ansi) {
        return platform::FromAnsi(profile::ReadValue(text.text, *storedSection, *storedKey));
    }
    return CutToValueLimit(profile::WellFormedUtf8(
        profile::ReadValue(text.text, *storedSection, *storedKey, std::string::npos, text.charset())));
}

}  // namespace

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key) {
    try {
        if (auto value = ValueInFile(file, section, key)) return std::move(*value);
        const std::string* machine = MachineFileUnder(file);
        return machine ? ValueInFile(*machine, section, key).value_or(std::string()) : std::string();
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
    auto why = LineRefusal(section, key, value);
    return why.empty() ? StorageRefusal(section, key, value, profile::Encoding::Ansi) : why;
}

std::string IniWriteRefusal(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) {
    auto why = LineRefusal(section, key, value);
    return why.empty() ? StorageRefusal(section, key, value, EncodingOfFile(file)) : why;
}

IniWriteResult WriteIniValues(const std::string& file, const std::string& section, const IniValues& values,
                              std::string& why) {
    for (const auto& [key, value] : values) {
        why = IniWriteRefusal(file, section, key, value);
        if (!why.empty()) return IniWriteResult::Refused;
    }
    // Over a machine-wide file a value equal to its own is left to it.
    std::vector<std::optional<std::string>> machineValues(values.size());
    if (const std::string* machine = MachineFileUnder(file)) {
        for (std::size_t i = 0; i < values.size(); ++i)
            machineValues[i] = ReadIniString(*machine, section, values[i].first);
    }
    try {
        bool refused = false;
        const bool replaced = platform::ReplaceFileLocked(
            file,
            [&](const std::optional<std::string>& old) -> std::optional<std::string> {
                profile::ProfileText text = profile::DecodeText(old.value_or(std::string()));
                // The file may have changed its encoding since the texts were checked.
                for (const auto& [key, value] : values) {
                    why = StorageRefusal(section, key, value, text.encoding);
                    if ((refused = !why.empty())) return std::nullopt;
                }
                const auto name = *Stored(Trimmed(section), text.encoding);
                for (std::size_t i = 0; i < values.size(); ++i) {
                    const auto& [key, value] = values[i];
                    const auto storedKey = *Stored(Trimmed(key), text.encoding);
                    text.text = machineValues[i] == value
                                    ? profile::RemoveValue(text.text, name, storedKey, text.charset())
                                    : profile::WriteValue(text.text, name, storedKey, *Stored(value, text.encoding),
                                                          text.charset());
                }
                return profile::EncodeText(text);
            },
            &why);
        if (refused) return IniWriteResult::Refused;
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
