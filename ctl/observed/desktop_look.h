// One look at the top-level windows, hidden ones too (Windows). It reads
// only what the system keeps (styles, classes, titles, process ids), so that
// nothing sent to a window can wait; what cannot change while a window lives
// (its class, its process, its program, whether the taskbar would show it)
// is read once, and a hidden window's title once, as it rarely changes.
#pragma once
#include "ctl/observed/desktop_changes.h"

DesktopLook lookAtDesktop();
// The same for the subcommands that run everywhere: false where palimoorctl
// has no desktop to look at (outside Windows).
bool desktopNow(DesktopLook& look);
// The desktop's handle for a window.
std::uint64_t windowId(const void* window);
