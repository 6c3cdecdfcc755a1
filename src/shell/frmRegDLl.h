#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace lumaro {

// True for a name whose last four characters, upper-cased, are ".DLL" or
// ".OCX" (a shorter name is compared as it stands).
bool IsComponentFile(const std::string& fileName);

// The registration of the component files in the program's Dll folder: a
// window that is loaded but never shown, so only its load handler remains.
// Each component goes to the system's registration tool; without one (on
// systems that have no such tool) nothing is launched.
class frmRegDLl {
public:
    // doEvents lets the user interface process its pending events once.
    frmRegDLl(platform::Launcher& launcher, std::function<void()> doEvents);

    // Launches the registration tool once per component file, in listing
    // order, letting pending events run five times after each launch. A
    // missing Dll folder counts as empty.
    void Form_Load();

    // Program folder + "Dll", without a trailing separator.
    static std::string ComponentFolder();

private:
    platform::Launcher& launcher_;
    std::function<void()> doEvents_;
};

}  // namespace lumaro
