// The windows a rule nearly finds: when no window is the rule's, the nearest
// ones, each with the criterion that failed, in words, and the change that
// would make it match. Judged with the program's own steps (window_match.h).
#pragma once
#include "ctl/observed/desktop_changes.h"
#include "rules/rule.h"
#include "watch/window_match.h"
#include <string>
#include <vector>

// The core's test of a window, on one that has been read whole.
bool windowFits(const WindowQuery& query, const WindowLook& look);
WindowQuery queryOf(const Rule& rule);

struct NearMiss {
    WindowLook look;
    std::vector<std::wstring> misses; // "class "Notepad", not "Notpad": one letter differs"
};

// Up to `most`, nearest first; none when a window is the rule's, or when
// none is near (a slip of a letter or two, a title compared whole that is
// only part of one, a hidden window, one not on the taskbar, another program).
std::vector<NearMiss> nearMisses(const Rule& rule, const DesktopLook& desktop,
                                 std::size_t most = 3);
// The window, then what it misses.
std::wstring nearMissText(const NearMiss& miss);
// One line each, after `indent`.
std::wstring nearMissLines(const std::vector<NearMiss>& misses, const std::wstring& indent);
