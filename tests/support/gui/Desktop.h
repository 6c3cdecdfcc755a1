#pragma once

class QProcess;
class QWidget;

namespace lumaro::test {

// Behaviour that needs a desktop (maximizing, closing through the window manager) runs on one of the test
// program's own: Xvfb with openbox, started on first use and ended with the test program. In the test program
// OnDesktop runs the current test again in a child on that desktop, expects it to pass and returns false; in the
// child it returns true:   if (!test::OnDesktop()) return;
bool OnDesktop();

// True in a child run on the desktop: the window tests' main then picks the xcb platform.
bool IsDesktopRun();

// The process, about to start, is killed when the test program ends, however that happens.
void TieToTest(QProcess& process);

// Asks the window manager to close the window, as its close button does.
void CloseThroughWindowManager(QWidget& window);

}  // namespace lumaro::test
