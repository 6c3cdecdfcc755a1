#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// Top-level windows of other processes on the test's desktop (Desktop.h), as the window manager lists them.
namespace lumaro::test::x11 {

using Window = std::uint32_t;

// The managed windows whose title (_NET_WM_NAME) is `title`, in the window manager's order.
std::vector<Window> WindowsTitled(const QString& title);
// The title of a window (its _NET_WM_NAME).
QString TitleOf(Window window);
// The window the window manager made active (_NET_ACTIVE_WINDOW), 0 when none.
Window ActiveWindow();
// Whether the window is minimized (_NET_WM_STATE_HIDDEN).
bool IsMinimized(Window window);
// Asks the window manager to minimize the window, as a task bar does (WM_CHANGE_STATE, IconicState).
void Minimize(Window window);

}  // namespace lumaro::test::x11
