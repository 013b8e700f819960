// Recording the desktop's changes while the user shows what the rule is
// about (Windows): the window events, and a look every 20 ms, so that a
// window that lives 30 ms is still seen. Nothing sent to any window can wait:
// what is read is what the system keeps (classes, titles, styles).
#pragma once
#include "ctl/observed/desktop_changes.h"
#include <functional>
#include <string>

struct Recording {
    DesktopChanges desktop;   // the changes, and the desktop at each
    std::uint32_t ms = 0;     // how long it recorded
    bool interrupted = false; // Ctrl+C
    unsigned shedSpells = 0;  // events let go of in storms, looks went on
    unsigned stormEvents = 0; // in the 2 s before the last spell
    std::uint32_t longestLookMs = 0;
};

// Until Enter (a line on standard input, a console's or a pipe's), or for
// `forMs` when given. The user's own windows are the console and the window
// in front when it begins (the terminal typed in): the front coming back to
// one of them ends the demonstration (DesktopChanges). `ready` is called
// once the desktop as it was is known and its changes are listened to: only
// then may the user be told to act, or a quick hand is lost.
Recording recordDesktop(std::uint32_t forMs, const std::function<void()>& ready);
// Whether Enter can be read: standard input is a console or a pipe.
bool canReadEnter();
