#pragma once

#include <string>
#include <utility>
#include <vector>

// Access to the settings file and the small routines the subsystems share.
// All texts are UTF-8; the settings file itself is kept in code page 936 (GBK)
// so that files written by the Windows clients read back exactly.
namespace lumaro {

// The full path of the settings file: program folder + "ini" + separator +
// executable base name + ".lic". Set once by start-up, before any window.
extern std::string ConfigFilePath;

// The value of `key` in `section` of `file`, or "" when there is none. Never
// fails: a missing, unreadable or malformed file gives "".
std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key);

// Writes key=value into section of file; callers never learn the outcome.
void WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value);

enum class IniWriteResult {
    Written,
    Refused,  // the section, key or value would inject lines: nothing changed
    Failed,   // the file could not be replaced (read-only, no space, ...): old file kept
};
// WriteIniString with the outcome, for tools that must tell the user.
IniWriteResult WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value);
// The same, telling in `why` (English, for an administrator) why a write was
// refused or failed.
IniWriteResult WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value, std::string& why);

// Several keys of one section written in one replacement of the file: all of
// them or, when one is refused or the file cannot be replaced, none.
using IniValues = std::vector<std::pair<std::string, std::string>>;  // key, value
IniWriteResult WriteIniValues(const std::string& file, const std::string& section, const IniValues& values,
                              std::string& why);

// Why WriteIniValue refuses these texts, or "" when it accepts them. Refused:
// a line break or zero character anywhere, "]" in the section, a key that is
// empty, holds "=" or begins with "[", and text that is not valid UTF-8 or
// holds characters the file's code page (936) cannot store.
std::string IniWriteRefusal(const std::string& section, const std::string& key, const std::string& value);
// The same for a write into `file`: what the file can store depends on it.
std::string IniWriteRefusal(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value);

// Folder paths in one normal form, ending in the separator, so callers append
// relative names directly. The separator is "\" on Windows and "/" elsewhere.
std::string GetAppFolder();     // the running executable's folder
std::string GetSystemFolder();  // the system folder ("/usr/bin/" on POSIX)

// The normalisation itself: every "/" becomes `separator` when it is "\",
// and a missing trailing separator is added ("D:/Agency/bin" -> "D:\Agency\bin\",
// "D:\" stays "D:\", "" -> "\").
std::string NormalizeFolder(std::string path, char separator);

// The executable's file name without folder and extension ("Lumaro").
std::string GetExecutableBaseName();

// The text between the first `startMarker` and the first `endMarker` after
// it, markers matched regardless of letter case, nothing trimmed; "" when the
// markers are not found in that order.
std::string GetTextBetween(const std::string& text, const std::string& startMarker, const std::string& endMarker);

}  // namespace lumaro
