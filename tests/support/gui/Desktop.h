#pragma once

class QProcess;
class QWidget;

namespace lumaro::test {

// Behaviour that needs a desktop (maximizing, closing through the window manager)
// is tested on one of the test program's own: an X server (Xvfb) on a free display
// with a window manager (openbox), started on first use and ended with the test
// program, as every process started here is, even when the test program is killed.
//
//   TEST_F(SomeTest, NeedsADesktop) {
//       if (!test::OnDesktop()) return;  // here: the test ran again on the desktop and passed there
//       ...                              // there: the test's work, on the xcb platform
//   }
//
// In the test program OnDesktop runs the current test again in a child process on
// the desktop, expects it to pass and returns false; in that child it returns true.
bool OnDesktop();

// True in a child run on the desktop: the window tests' main then picks the xcb platform.
bool IsDesktopRun();

// Ties a process about to be started to the test program: it is killed when the
// test program ends, however that happens.
void TieToTest(QProcess& process);

// Asks the window manager to close the window, as its close button does.
void CloseThroughWindowManager(QWidget& window);

}  // namespace lumaro::test
