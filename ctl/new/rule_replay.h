// A proposed rule proved on the recorded desktop before it is written, with
// the window matching palimoor.exe itself runs (hidden windows included,
// letter case folded as the system folds it).
#pragma once
#include "ctl/observed/desktop_changes.h"
#include "rules/rule.h"
#include <string>

// What the replay needs of a demonstration.
struct Demonstration {
    std::uint64_t window = 0; // the window shown
    DesktopLook before;       // just before the look that saw what was shown
    DesktopLook shown;        // as that look left it
    DesktopLook latest;       // the last look: which programs still run
};

// Why the rule would not do what was shown, in words; empty when it would:
// - it waits on the desktop before (with check=change or both, else it would
//   not wait at all);
// - it holds on the desktop shown (for closed and not_running, the window's
//   program must have ended too: the rule waits for it);
// - it finds the window shown there, or before, and never another window.
std::wstring replayProblem(const Rule& rule, const Demonstration& demonstration);
