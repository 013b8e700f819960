// The windows a rule nearly finds, each with what it misses and the fix:
// the near misses a new user made, one row each.
#include "ctl/observed/near_miss.h"
#include "rules/rule_keys.h"
#include "tests/unit/window_look.h"
#include <gtest/gtest.h>

namespace {

Rule ruleOf(std::vector<KeyValue> keys) {
    Rule rule;
    applyRuleKeys(rule, keys);
    return rule;
}

TEST(NearMiss, TheNearestWindowsAndWhatEachMisses) {
    const WindowLook notepad = window(L"Notepad", L"Untitled - Notepad", L"notepad.exe");
    const WindowLook ime = window(L"IME", L"Notepad IME", L"notepad.exe", false);
    const WindowLook popup =
        window(L"HwndWrapper[Tray.exe;;5d0b]", L"Reminder", L"Tray.exe", true, false);
    const WindowLook tray = window(L"Shell_TrayWnd", L"", L"explorer.exe");
    struct Case {
        std::vector<KeyValue> keys;
        std::vector<WindowLook> windows;
        std::wstring said; // the first window's misses; empty: none named
    } cases[] = {
        {{{L"class", L"Notpad"}},
         {tray, notepad},
         L"class \"Notepad\", not \"Notpad\": one letter differs (class=Notepad)"},
        {{{L"title", L"Untitled"}},
         {tray, notepad},
         L"title \"Untitled - Notepad\" begins with \"Untitled\": add titlematch=start"},
        {{{L"title", L"Notepad"}, {L"titlematch", L"start"}},
         {notepad},
         L"title \"Untitled - Notepad\" ends with \"Notepad\": write titlematch=end"},
        {{{L"process", L"note.exe"}},
         {tray, notepad},
         L"program \"notepad.exe\", not \"note.exe\": one holds the other "
         L"(process=notepad.exe)"},
        {{{L"title", L"Notepad IME"}, {L"titlematch", L"start"}},
         {ime},
         L"hidden: a title compared in part counts only visible windows"},
        {{{L"process", L"Tray.exe"}},
         {popup},
         L"not on the taskbar: a process= rule alone watches the program's main window "
         L"(add class=HwndWrapper[Tray.exe;;5d0b] beside it)"},
        {{{L"class", L"Notepad"}}, {notepad, tray}, L""}, // one is the rule's: nothing is near
        {{{L"class", L"Wordpad"}}, {notepad, tray}, L""}, // nothing is a slip away
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys[0].value.begin(), c.keys[0].value.end()));
        DesktopLook desktop;
        std::uint64_t id = 1;
        for (const WindowLook& look : c.windows)
            desktop.windows[id++] = look;
        const std::vector<NearMiss> near = nearMisses(ruleOf(c.keys), desktop);
        ASSERT_EQ(near.empty(), c.said.empty());
        if (!near.empty())
            EXPECT_EQ(near[0].misses.at(0), c.said);
    }
}

} // namespace
