#pragma once

#include <string>

// The short Chinese user guide an installed client's package brings: how to
// connect, the keys, the calculator, the settings files and what to do when a
// page of the agency's application does not work. 帮助 opens it when there is
// no help.chm beside the program.
namespace lumaro {

// Where the guide lies: share/lumaro/help/index.html beside the program's bin folder.
std::string UserGuidePath();

// Shows it in a window of the client's own browser (the same window again
// when it is open). Throws lumaro::Fault (53) when the guide is missing.
void ShowUserGuide();

}  // namespace lumaro
