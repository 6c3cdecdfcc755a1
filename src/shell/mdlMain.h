#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"

// The program's start-up: fixes the settings file path, then either registers
// the shipped components and restarts, or shows the main window.
namespace lumaro {

struct StartupHooks {
    // Loads the (never shown) registration window, which launches the
    // registration of every component file and returns.
    std::function<void()> LoadRegistrationWindow;
    // A message box with an OK button and the information icon; returns when closed.
    std::function<void(const std::string& text, const std::string& title)> ShowInformation;
    // Loads and shows the main window (modeless).
    std::function<void()> ShowMainWindow;
    // True when this user already runs the program on the same settings file
    // and that copy was asked to bring its window to the front. Optional.
    std::function<bool()> HandToRunningCopy;
};

enum class StartupOutcome {
    MainWindowShown,  // registered: the main window is up, run the event loop
    Restarted,        // first run: a new instance was started, end this one now
    HandedOver,       // the same program already runs: it came to the front, end this one
};

// Where the settings are kept. With an "ini" folder beside the executable (a
// program folder, as the Windows copies have) in the one file of that folder.
// Without one (an installed client, whose folder is not the user's to write)
// in the user's own file over the machine-wide one (config/SettingsLayers.h);
// there is nothing to register then.
enum class SettingsLayout { ProgramFolder, Installed };
struct SettingsPlace {
    SettingsLayout layout = SettingsLayout::ProgramFolder;
    std::string file;         // ConfigFilePath
    std::string machineFile;  // MachineConfigFilePath: "" in a program folder
};
SettingsPlace PlaceSettings(const std::string& appFolder, const std::string& baseName);
// The layout this run's start-up found (ProgramFolder before it has run).
SettingsLayout CurrentLayout();

// The first-run message, shown once after the registrations were launched.
inline constexpr const char* RegisteredText = "软件第一次运行需要注册Windows动态库";
inline constexpr const char* RegisteredTitle = "动态库注册完毕";

// The settings file path for a program folder (ending in its separator) and
// executable base name: folder + "ini" + separator + base + ".lic".
std::string ComposeConfigFilePath(const std::string& appFolder, const std::string& baseName);

// The command that starts a new instance of this program: program folder +
// base name + ".exe" on Windows, the running executable's own path elsewhere.
std::string RestartCommand();

// Why the settings file at `path` cannot be used, in words for the user
// ("…是一个文件夹，不是设置文件。"), or "" when it can be read or is not there yet.
std::string SettingsFileProblem(const std::string& path);

// Runs start-up. Sets ConfigFilePath (and MachineConfigFilePath) first; a
// settings file that cannot be read (a folder in its place, no permission)
// ends start-up with a Fault naming it, as every read of it would look like a
// first run. Then it hands over to a running copy on the same settings file,
// if there is one. In an installed client it shows the main window. On a first run whose flag cannot
// be stored (the read-back is not "True"), it does not restart, so a program
// in a read-only folder does not restart itself forever: it shows the main window.
// Throws lumaro::Fault when the new instance cannot be started; the entry
// point reports it and ends the program.
StartupOutcome Main(const StartupHooks& hooks, platform::Launcher& launcher);

}  // namespace lumaro
