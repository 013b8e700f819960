// Recording the desktop's changes while the user shows what the rule is
// about (Windows): the window events, and a look every 20 ms, so that a
// window that lives 30 ms is still seen. Nothing sent to any window can wait:
// what is read is what the system keeps (classes, titles, styles).
#pragma once
#include "ctl/io/console.h"
#include "ctl/new/desktop_changes.h"
#include <functional>
#include <string>

struct Recording {
    std::vector<DesktopChange> changes;
    std::map<std::uint64_t, WindowLook> seen;
    std::uint32_t ms = 0;     // how long it recorded
    bool interrupted = false; // Ctrl+C
    unsigned shedSpells = 0;  // events let go of in storms, looks went on
    unsigned stormEvents = 0; // in the 2 s before the last spell
    std::uint32_t longestLookMs = 0;
};

// Until Enter on the console, or for `forMs` when given (no console needed).
// `ready` is called once the desktop as it was is known and its changes are
// listened to: only then may the user be told to act, or a quick hand is lost.
Recording recordDesktop(std::uint32_t forMs, const std::function<void()>& ready);
// Whether Enter can be read: standard input is a console.
bool consoleToReadEnter();
