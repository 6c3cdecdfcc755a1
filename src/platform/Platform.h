#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Everything the program asks of the operating system goes through here. One
// implementation per system: PlatformPosix.cpp, PlatformWin32.cpp.
namespace lumaro::platform {

// Folder separator of this system.
#ifdef _WIN32
inline constexpr char Separator = '\\';
#else
inline constexpr char Separator = '/';
#endif

// UTF-8 <-> code page 936 (GBK). Characters GBK lacks become "?"; bytes that
// are not valid GBK become U+FFFD.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

// The running executable's full path (UTF-8). Tests may override it to run
// the program's logic in a temporary program folder.
std::string ExecutablePath();
void OverrideExecutablePath(std::optional<std::string> path);

// The system folder as the system reports it, without normalisation
// ("/usr/bin" on POSIX, GetSystemDirectory on Windows; "" when unknown).
std::string SystemDirectory();

bool FileExists(const std::string& path);  // an existing file (not a folder), exact path
bool FolderExists(const std::string& path);  // an existing folder (a link to one counts)
// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolders(const std::string& path);

// Where an installed copy of the program keeps its settings, as folders ending
// in the separator: the machine-wide one an administrator writes (/etc/lumaro/;
// %ProgramData%\Lumaro\) and the user's own ($XDG_CONFIG_HOME/lumaro/, by
// default ~/.config/lumaro/; %APPDATA%\Lumaro\). LUMARO_MACHINE_CONFIG_DIR
// names another machine-wide folder, to try a file before it goes to the desks.
// "" when the system tells no such folder.
std::string MachineSettingsFolder();
std::string UserSettingsFolder();

// Names (without folder) of the ordinary files of a folder, in listing order:
// no subfolders, no hidden files (dot files on POSIX; hidden or system
// attribute on Windows). A missing or unreadable folder lists nothing.
std::vector<std::string> ListOrdinaryFiles(const std::string& folder);

// The first executable called `name` on the search path, if any.
std::optional<std::string> FindOnPath(const std::string& name);

// The program's command-line arguments after its name, as UTF-8, with the
// console set up to show UTF-8 output until the program ends: Windows hands
// main() its arguments in the ANSI code page, which cannot hold every
// character typed. Called once, at the start of main().
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The registration tool for component files: "regsvr32.exe" on Windows,
// "regsvr32" (found on the search path, if at all) elsewhere.
std::optional<std::string> RegistrationTool();

// How a started program's window is first shown.
enum class Show { Normal, Hidden, MinimizedWithFocus };

// Starting other programs; never waits for them. Tests install a recording
// launcher instead of the system's.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a file or address with the handler the user chose for it
    // (ShellExecute "open", xdg-open); false when that cannot be done.
    virtual bool Open(const std::string& target, Show show) = 0;
    // Starts a program with its arguments (each passed whole, blanks and all),
    // detached; false when it cannot be started.
    virtual bool Start(const std::string& program, const std::vector<std::string>& arguments, Show show) = 0;
};

Launcher& SystemLauncher();
Launcher& CurrentLauncher();               // SystemLauncher() unless replaced
void SetLauncher(Launcher* launcher);      // nullptr restores the system's

}  // namespace lumaro::platform

// Settings-file primitives ----------------------------------------------------

namespace lumaro::platform {

// UTF-8 -> code page 936 only when nothing would be lost: the text is valid
// UTF-8 and every character of it has a place in the code page.
std::optional<std::string> ToAnsiExact(std::string_view utf8);

// The bytes of an ordinary file, or its first `limit` bytes; nothing when it
// is missing, is not an ordinary file (folder, pipe, device) or cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t limit = std::string::npos);

// Whether a file can be read where `path` points, or what stands in its way.
enum class FileAccess {
    Missing,     // nothing there (or its folder missing)
    Readable,    // an ordinary file that opens for reading
    Folder,      // a folder
    NotAFile,    // a device, pipe or socket
    Unreadable,  // an ordinary file that cannot be opened for reading
};
FileAccess CheckFileAccess(const std::string& path);

// Replaces the file at `path` with what `edit` makes of its bytes (nothing
// when the file does not exist yet; when `edit` gives nothing back, the file
// stays as it is and the result is false), so that other processes (readers
// included) see either the old or the new file whole, never none: under a
// lock every writer of the file takes, through a temporary file in the same
// folder that is flushed to disk and then renamed over the old one in one
// step. The new file keeps the old one's permission bits (on Windows its
// attributes and permissions). A missing folder is created (not its parent).
// A file or folder that grants write permission to nobody counts as
// read-only, even for an administrator, and is not replaced (on Windows: the
// read-only attribute). A writer waits at most 5 s in all for the lock and
// (on Windows) for other programs to let go of the file. False, with the old
// file untouched and no temporary file left, when the file cannot be
// replaced; `why` then says why, naming the system's error when there is one.
using FileEdit = std::function<std::optional<std::string>(const std::optional<std::string>& old)>;
bool ReplaceFileLocked(const std::string& path, const FileEdit& edit, std::string* why = nullptr);

}  // namespace lumaro::platform
