// A rule learned from one demonstration: the changes seen from look to look,
// the window picked, the way it is named, and the section in the file's own
// encoding.
#include "ctl/new/demonstration.h"
#include "ctl/observed/desktop_changes.h"
#include "ctl/new/rule_file_append.h"
#include "ctl/new/rule_proposal.h"
#include "rules/text_file.h"
#include "rules/window_classes.h"
#include "tests/unit/fake_system.h"
#include <functional>
#include "tests/unit/window_look.h"
#include <gtest/gtest.h>

namespace {

// The changes a user's actions make, look by look, and what is left out: the
// user's own windows (the console, the terminal in front at the start), and
// everything once the front has come back to one of them.
TEST(DesktopChanges, WhatTheLooksSay) {
    DesktopLook before;
    before.windows[1] = window(L"Shell_TrayWnd", L"", L"explorer.exe");
    before.windows[2] = window(L"IME", L"Default IME", L"notepad.exe", false); // never visible
    before.windows[3] = window(L"Notepad", L"Untitled - Notepad", L"notepad.exe");
    before.windows[8] =
        window(L"CASCADIA_HOSTING_WINDOW_CLASS", L"PowerShell",
               L"WindowsTerminal.exe"); // in front at the start: coming back ends it
    before.windows[9] = window(L"ConsoleWindowClass", L"cmd", L"conhost.exe"); // the console
    before.front = 8;
    DesktopChanges changes(9);
    changes.start(before);
    DesktopLook after = before;
    after.windows[2].title = L"IME changed"; // never visible: nothing
    after.windows[3].title = L"notes.txt - Notepad";
    after.windows[4] =
        window(L"MozillaWindowClass", L"Inbox - Mozilla Thunderbird", L"thunderbird.exe");
    after.windows[5] = window(L"tooltips_class32", L"", L"thunderbird.exe", false);
    after.windows[6] = window(L"", L"", L"", false); // made hidden: nothing said of it yet
    after.windows[8].title = L"PowerShell - palimoorctl new";
    after.windows[9].title = L"cmd - palimoorctl";
    after.front = 4;
    changes.next(after, 1400);
    DesktopLook later = after;
    later.windows[4].minimized = true;
    later.windows[6] = window(L"OpusApp", L"Document1 - Word", L"WINWORD.EXE"); // hidden 1.6 s
    later.windows.erase(3);
    later.front = 6;
    changes.next(later, 3000);
    DesktopLook home = later; // back to the terminal: the end; Word going behind is not taken
    home.front = 8;
    home.windows[6].minimized = true; // in the same look as the return: still the demonstration's
    changes.next(home, 5000);
    DesktopLook afterwards = home; // after the end: nothing is taken
    afterwards.windows.erase(4);
    changes.next(afterwards, 6000);
    std::vector<std::pair<ChangeKind, std::uint64_t>> seen;
    for (const DesktopChange& change : changes.changes())
        seen.emplace_back(change.kind, change.window);
    EXPECT_EQ(seen,
              (std::vector<std::pair<ChangeKind, std::uint64_t>>{{ChangeKind::Renamed, 3},
                                                                 {ChangeKind::Appeared, 4},
                                                                 {ChangeKind::Renamed, 8},
                                                                 {ChangeKind::CameToFront, 4},
                                                                 {ChangeKind::Minimized, 4},
                                                                 {ChangeKind::Shown, 6},
                                                                 {ChangeKind::Closed, 3},
                                                                 {ChangeKind::CameToFront, 6},
                                                                 {ChangeKind::Minimized, 6}}));
    EXPECT_TRUE(changes.ended());
    EXPECT_EQ(changes.endedAt(), 5000u);
    EXPECT_EQ(changes.changes()[6].look.title, L"notes.txt - Notepad"); // as last seen
    // The desktop at each look, told again from what changed.
    EXPECT_EQ(changes.desktopAfter(0).windows.count(4), 0u);
    EXPECT_EQ(changes.desktopAfter(1).front, 4u);
    EXPECT_EQ(changes.desktopAfter(2).windows.count(3), 0u);
    EXPECT_EQ(changes.desktopAfter(9).front, 8u);
    EXPECT_EQ(changes.latest().windows.count(4), 0u);
    EXPECT_EQ(
        timelineText({changes.changes()[1]}),
        L" 1    +1.4 s  appeared        class \"MozillaWindowClass\"  title \"Inbox - Mozilla "
        L"Thunderbird\"  thunderbird.exe\n");
}

// Closed on its way out: hidden as the front came back to the terminal, gone
// a moment later (Notepad closed from the console, under Wine and Windows).
TEST(DesktopChanges, AWindowHiddenOnItsWayOutWasClosed) {
    DesktopLook look;
    look.windows[3] = window(L"Notepad", L"Untitled - Notepad", L"notepad.exe");
    look.windows[4] = window(L"OpusApp", L"Document1 - Word", L"WINWORD.EXE");
    look.windows[8] = window(L"WineConsoleClass", L"cmd", L"conhost.exe");
    look.front = 8;
    DesktopChanges changes(8);
    changes.start(look);
    look.front = 3; // clicked
    changes.next(look, 100);
    look.windows[3].visible = false; // closing: hidden first
    look.front = 8;
    changes.next(look, 400);
    look.windows.erase(3);
    changes.next(look, 700);
    look.windows.erase(4); // long after the end: not taken
    changes.next(look, 3000);
    std::vector<ChangeKind> kinds;
    for (const DesktopChange& change : changes.changes())
        kinds.push_back(change.kind);
    EXPECT_EQ(kinds, (std::vector<ChangeKind>{ChangeKind::CameToFront, ChangeKind::Hidden,
                                              ChangeKind::Closed}));
    EXPECT_EQ(pickWindow(changes.changes()).line, 3u);
    EXPECT_EQ(changes.desktopAfter(changes.changes()[2].lookNumber).windows.count(3), 0u);
}

// On the way back to the terminal the front may pass through no window: the
// demonstrated window has not gone behind, the demonstration has ended.
TEST(DesktopChanges, NoWindowInFrontIsAMomentOfTheSwitch) {
    DesktopLook look;
    look.windows[5] = window(L"Chrome_WidgetWin_1", L"Slack", L"slack.exe");
    look.windows[8] =
        window(L"CASCADIA_HOSTING_WINDOW_CLASS", L"PowerShell", L"WindowsTerminal.exe");
    look.front = 8;
    DesktopChanges changes;
    changes.start(look);
    const std::uint64_t fronts[] = {5, 0, 8};
    for (std::uint32_t i = 0; i < 3; ++i) {
        look.front = fronts[i];
        changes.next(look, 100 * (i + 1));
    }
    ASSERT_EQ(changes.changes().size(), 1u);
    EXPECT_EQ(changes.changes()[0].kind, ChangeKind::CameToFront);
    EXPECT_TRUE(changes.ended());
}

std::vector<DesktopChange> at(std::initializer_list<std::pair<std::uint32_t, ChangeKind>> list,
                              std::initializer_list<std::uint64_t> windows) {
    std::vector<DesktopChange> changes;
    auto window = windows.begin();
    WindowLook look;
    look.taskbar = true;
    for (const auto& change : list)
        changes.push_back({change.first, change.second, *window++, look, L""});
    return changes;
}

// The window of the last change that is not only a title; of one moment's
// changes, what the user did to a window itself before the front moving.
TEST(PickWindow, TheWindowTheUserActedOn) {
    struct Case {
        std::vector<DesktopChange> changes;
        std::size_t line; // 0: none stands out
    } cases[] = {
        {at({{100, ChangeKind::Appeared},
             {120, ChangeKind::CameToFront},
             {900, ChangeKind::Renamed}},
            {4, 4, 4}),
         1},
        {at({{500, ChangeKind::Minimized}, {520, ChangeKind::CameToFront}}, {4, 7}), 1},
        {at({{500, ChangeKind::CameToFront}, {520, ChangeKind::Closed}}, {7, 4}), 2},
        {at({{100, ChangeKind::Appeared}, {3000, ChangeKind::CameToFront}}, {4, 7}), 2},
        // Opened, then in front a moment later: the opening is what was shown.
        {at({{100, ChangeKind::Appeared}, {1500, ChangeKind::CameToFront}}, {4, 4}), 1},
        {at({{100, ChangeKind::Appeared},
             {1500, ChangeKind::CameToFront},
             {1700, ChangeKind::WentBehind},
             {4000, ChangeKind::CameToFront}},
            {4, 4, 4, 4}),
         1},
        {at({{500, ChangeKind::Appeared}, {510, ChangeKind::Appeared}}, {4, 7}), 0},
        {at({{500, ChangeKind::Renamed}}, {4}), 0},
        // A tooltip that came and went after the window shown is never it.
        {at({{100, ChangeKind::Appeared}, {2000, ChangeKind::Appeared}, {2030, ChangeKind::Closed}},
            {4, 8, 8}),
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Pick pick = pickWindow(c.changes);
        EXPECT_EQ(pick.found, c.line != 0);
        if (c.line)
            EXPECT_EQ(pick.line, c.line);
    }
    const Pick rivals = pickWindow(cases[6].changes);
    EXPECT_EQ(rivals.rivals.size(), 2u);
    EXPECT_EQ(pickWindow(cases[6].changes, 1).line, 1u); // --pick
    EXPECT_FALSE(pickWindow(cases[6].changes, 9).found);
    // A tooltip or a menu (no taskbar button) after the window shown: not it.
    std::vector<DesktopChange> menu =
        at({{100, ChangeKind::Appeared}, {2000, ChangeKind::Appeared}}, {4, 8});
    menu[1].look.taskbar = false;
    EXPECT_EQ(pickWindow(menu).line, 1u);
    menu[0].look.taskbar = false; // nothing else changed: then it may be
    EXPECT_EQ(pickWindow(menu).line, 2u);
}

// The refusal names what went wrong; a demonstration of only a new title once
// read "several windows changed at once (lines )".
TEST(PickWindow, TheRefusalSaysWhyNoWindowWasTaken) {
    const struct {
        std::vector<DesktopChange> changes;
        std::size_t chosen;
        const wchar_t* text;
    } cases[] = {
        {at({{400, ChangeKind::Renamed}}, {4}), 0, L"nothing a rule waits for was shown"},
        {at({{100, ChangeKind::Appeared}, {130, ChangeKind::Closed}}, {8, 8}), 0,
         L"nothing a rule waits for was shown"},
        {at({{500, ChangeKind::Appeared}, {510, ChangeKind::Appeared}}, {4, 7}), 0,
         L"several windows changed at once (lines 1, 2): show it again with --pick N"},
        {at({{400, ChangeKind::Appeared}}, {4}), 9, L"there is no line 9"},
    };
    for (const auto& c : cases) {
        const Pick pick = pickWindow(c.changes, c.chosen);
        ASSERT_FALSE(pick.found);
        const std::wstring text = unpickedText(pick, c.chosen);
        EXPECT_EQ(text.rfind(c.text, 0), 0u) << std::string(text.begin(), text.end());
    }
}

TEST(WindowClasses, SharedAndPerRunClassesAreNeverTrusted) {
    for (const wchar_t* shared : {L"Chrome_WidgetWin_1", L"#32770", L"ApplicationFrameWindow",
                                  L"SunAwtFrame", L"Qt5QWindowIcon", L"Qt6QWindowIcon",
                                  L"TkTopLevel", L"ConsoleWindowClass", L"MozillaWindowClass"})
        EXPECT_TRUE(isSharedWindowClass(shared)) << std::string(shared, shared + 4);
    for (const wchar_t* perRun :
         {L"HwndWrapper[App.exe;;5d0b3a29-1a7e-4a45-9b3e-3f0d1c7f0a11]",
          L"WindowsForms10.Window.8.app.0.141b42a_r6_ad1", L"Afx:00400000:b:00010003:00000006",
          L"{6F7C5A2B-1234-4ABC-9DEF-0123456789AB}"})
        EXPECT_TRUE(hasPerRunPart(perRun));
    for (const wchar_t* own :
         {L"Notepad", L"OpusApp", L"rctrl_renwnd32", L"CabinetWClass", L"XLMAIN"}) {
        EXPECT_FALSE(isSharedWindowClass(own));
        EXPECT_FALSE(hasPerRunPart(own));
    }
}

std::wstring keysOf(const RuleProposal& proposal) {
    std::wstring text;
    for (const ProposedKey& key : proposal.keys)
        text += key.key + L"=" + key.value + L";";
    return text;
}

// What a demonstration proposes, proved by replaying each way of naming the
// window on the recorded desktop with palimoor.exe's own matching: the rule
// must wait before, hold once shown, and find the window shown and no other.
// Each row is a desktop, what the user did to window 1, and the keys, or
// the refusal (no keys) and the first way it tried.
TEST(ProposeRule, TheNarrowestNameThatDoesWhatWasShown) {
    const std::wstring editor = L"HwndWrapper[Editor.exe;;1b2c3d4e-0000-4a45-9b3e-3f0d1c7f0a11]";
    const std::wstring popup = L"HwndWrapper[Tray.exe;;5d0b3a29-1a7e-4a45-9b3e-3f0d1c7f0a11]";
    struct Case {
        const char* what;
        std::map<std::uint64_t, WindowLook> before; // window 1 is the one shown
        std::uint64_t front;
        std::function<void(DesktopLook&)> act; // seen in one look, or `earlier` one look before
        std::wstring keys;                     // empty: refused
        std::wstring firstTried;
        std::function<void(DesktopLook&)> earlier = nullptr;
    } cases[] = {
        {"Notepad opened",
         {{2, window(L"Shell_TrayWnd", L"", L"explorer.exe", true, false, 2)}},
         2,
         [](DesktopLook& d) {
             d.windows[1] =
                 window(L"Notepad", L"Untitled - Notepad", L"notepad.exe", true, true, 7);
         },
         L"class=Notepad;trigger=running;check=change;",
         L""},
        {"Slack opened beside VS Code",
         {{2, window(L"Chrome_WidgetWin_1", L"notes.md - Visual Studio Code", L"Code.exe", true,
                     true, 3)}},
         2,
         [](DesktopLook& d) {
             d.windows[1] = window(L"Chrome_WidgetWin_1", L"Slack", L"slack.exe", true, true, 7);
         },
         L"process=slack.exe;trigger=running;check=change;",
         L""},
        {"a WPF window minimized",
         {{1, window(L"HwndWrapper[Ledger.exe;;5d0b3a29-1a7e-4a45-9b3e-3f0d1c7f0a11]", L"Ledger",
                     L"Ledger.exe", true, true, 7)}},
         1,
         [](DesktopLook& d) {
             d.windows[1].minimized = true;
             d.front = 0;
         },
         L"process=Ledger.exe;trigger=inactive;check=change;",
         L""},
        {"Edge beside Edge, brought to the front",
         {{1, window(L"Chrome_WidgetWin_1", L"News - Profile 1 - Microsoft\u200B Edge",
                     L"msedge.exe", true, true, 7)},
          {2, window(L"Chrome_WidgetWin_1", L"Mail - Profile 1 - Microsoft\u200B Edge",
                     L"msedge.exe", true, true, 7)}},
         2,
         [](DesktopLook& d) { d.front = 1; },
         L"process=msedge.exe;class=Chrome_WidgetWin_1;title=News;titlematch=start;"
         L"trigger=active;check=change;",
         L"process=msedge.exe: it finds another window too"},
        {"the document window beside the program's settings, renamed, then in front",
         {{1, window(editor.c_str(), L"Untitled - Editor", L"Editor.exe", true, true, 7)},
          {2, window(L"HwndWrapper[Editor.exe;;77777777-0000-4a45-9b3e-3f0d1c7f0a11]",
                     L"Editor settings", L"Editor.exe", true, true, 7)}},
         2,
         [](DesktopLook& d) {
             d.windows[1].title = L"notes.txt - Editor";
             d.front = 1;
         },
         L"process=Editor.exe;title=Editor;titlematch=end;trigger=active;check=change;",
         L""},
        {"Notepad beside Notepad, closed",
         {{1, window(L"Notepad", L"Untitled - Notepad", L"notepad.exe", true, true, 7)},
          {2, window(L"Notepad", L"todo.txt - Notepad", L"notepad.exe", true, true, 8)}},
         2,
         [](DesktopLook& d) { d.windows.erase(1); },
         L"process=notepad.exe;class=Notepad;title=Untitled - Notepad;trigger=closed;check=change;",
         L"class=Notepad: it finds another window too"},
        {"a tray program's window shown (it was hidden)",
         {{1, window(L"TrayMain", L"Tray", L"Tray.exe", false, true, 7)}},
         2,
         [](DesktopLook& d) { d.windows[1].visible = true; },
         L"process=Tray.exe;trigger=running;check=change;",
         L"class=TrayMain: it holds already before what was shown"},
        {"a tray program's window hidden: closed to the notification area",
         {{1, window(L"TrayMain", L"Tray", L"Tray.exe", true, true, 7)}},
         2,
         [](DesktopLook& d) { d.windows[1].visible = false; },
         L"",
         L"class=TrayMain: it finds the window still there, hidden"},
        {"a WPF popup of a tray program, not on the taskbar",
         {{2, window(L"TrayMain", L"Tray", L"Tray.exe", true, true, 7)}},
         2,
         [popup](DesktopLook& d) {
             d.windows[1] = window(popup.c_str(), L"Reminder", L"Tray.exe", true, false, 7);
         },
         L"process=Tray.exe;title=Reminder;trigger=running;check=change;",
         L"process=Tray.exe: it finds another window too"},
        {"Outlook minimized, the front seen leaving it a look early",
         {{1, window(L"rctrl_renwnd32", L"Inbox - Outlook", L"OUTLOOK.EXE", true, true, 7)},
          {2, window(L"PalimoorOther", L"Other", L"other.exe", true, true, 3)}},
         1,
         [](DesktopLook& d) { d.windows[1].minimized = true; },
         L"class=rctrl_renwnd32;trigger=inactive;check=change;",
         L"",
         [](DesktopLook& d) { d.front = 2; }},
        {"a title that became another (--pick of a new title)",
         {{1, window(L"AppFrame", L"Downloading - App", L"App.exe", true, true, 7)}},
         2,
         [](DesktopLook& d) { d.windows[1].title = L"Done - App"; },
         L"process=App.exe;class=AppFrame;title=Done - App;trigger=running;check=change;",
         L"class=AppFrame: it holds already before what was shown"},
        {"no readable program, a shared class, no title",
         {},
         2,
         [](DesktopLook& d) { d.windows[1] = window(L"#32770", L"", L"", true, true, 7); },
         L"",
         L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DesktopLook before;
        before.windows = c.before;
        before.front = c.front;
        DesktopChanges desktop;
        desktop.start(before);
        DesktopLook after = before;
        if (c.earlier) {
            c.earlier(after);
            desktop.next(after, 700);
        }
        c.act(after);
        desktop.next(after, 900);
        const std::vector<DesktopChange>& changes = desktop.changes();
        std::size_t line = pickWindow(changes).line;
        for (std::size_t i = 0; i < changes.size() && line == 0; ++i) // a new title, as --pick
            line = changes[i].window == 1 ? i + 1 : 0;
        ASSERT_NE(line, 0u);
        const DesktopChange& picked = changes[line - 1];
        ASSERT_EQ(picked.window, 1u);
        const RuleProposal proposal =
            proposeRule(changes, picked, demonstrationOf(desktop, picked));
        EXPECT_EQ(proposal.found, !c.keys.empty());
        EXPECT_EQ(keysOf(proposal), c.keys);
        if (!c.firstTried.empty()) {
            ASSERT_FALSE(proposal.tried.empty());
            EXPECT_EQ(proposal.tried[0].rfind(c.firstTried, 0), 0u)
                << std::string(proposal.tried[0].begin(), proposal.tried[0].end());
        }
        for (const ProposedKey& key : proposal.keys)
            EXPECT_FALSE(key.why.empty());
        if (!proposal.found)
            EXPECT_NE(refusalText(proposal).find(L"nothing is written"), std::wstring::npos);
    }
}

// The section's text: reasons as comments the program skips, exec to fill in,
// and how to try it: what to put back first, from what was shown.
TEST(ProposeRule, TheSectionReadsAsARule) {
    DesktopChanges desktop;
    desktop.start(DesktopLook());
    DesktopLook after;
    after.windows[1] = window(L"Notepad", L"Untitled - Notepad", L"notepad.exe");
    desktop.next(after, 100);
    const DesktopChange& picked = desktop.changes()[0];
    const RuleProposal given = proposeRule(
        desktop.changes(), picked, demonstrationOf(desktop, picked), L"not_closed", L"both");
    const std::wstring text = sectionText(L"WaitForNotepad", given, L"");
    EXPECT_EQ(text.substr(0, 17), L"[WaitForNotepad]\n");
    EXPECT_NE(text.find(L"\ntrigger=not_closed\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\ncheck=both\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\n#exec=\n"), std::wstring::npos);
    for (size_t at = 0, end; (end = text.find(L'\n', at)) != std::wstring::npos; at = end + 1) {
        const std::wstring line = text.substr(at, end - at);
        EXPECT_TRUE(line[0] == L'#' || line[0] == L'[' || line.find(L'=') != std::wstring::npos);
    }
    EXPECT_NE(sectionText(L"W", given, L"C:\\Windows\\notepad.exe")
                  .find(L"\nexec=C:\\Windows\\notepad.exe\n"),
              std::wstring::npos);
    EXPECT_EQ(proposeRule(desktop.changes(), picked, demonstrationOf(desktop, picked)).tryFirst,
              L"Close \"Untitled - Notepad\" first, then start:");
}

// The section goes in as the file is written: its encoding, its line ends.
TEST(RuleFileAppend, InTheFilesOwnEncoding) {
    const std::wstring section = L"[Caf\u00e9]\nclass=X\n";
    struct Case {
        const char* what;
        std::string file;
        std::string added; // what must follow the file's bytes
        bool ok;
    } cases[] = {
        {"UTF-8, LF", "[A]\nclass=Y\n", "\n[Caf\xC3\xA9]\nclass=X\n", true},
        {"UTF-8 without a last line end", "[A]\nclass=Y", "\n\n[Caf\xC3\xA9]\nclass=X\n", true},
        {"UTF-8, CR LF", "[A]\r\nclass=Y\r\n", "\r\n[Caf\xC3\xA9]\r\nclass=X\r\n", true},
        {"ANSI 1252", "[\xE9t\xE9]\nclass=Y\n", "\n[Caf\xE9]\nclass=X\n", true},
        {"UTF-16 LE, CR LF", std::string("\xFF\xFE[\0A\0]\0\r\0\n\0", 12),
         std::string("\r\0\n\0[\0C\0a\0f\0\xE9\0]\0\r\0\n\0c\0l\0a\0s\0s\0=\0X\0\r\0\n\0", 38),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakeSystem.reset();
        fakeSystem.codePage = 1252;
        fakeSystem.files[L"r.ini"] = c.file;
        std::string content;
        bool exists = false;
        std::wstring why;
        ASSERT_EQ(withSectionAdded(L"r.ini", section, content, exists, why), c.ok);
        EXPECT_TRUE(exists);
        EXPECT_EQ(content, c.file + c.added);
        // And the program reads it back: the new section's lines as written.
        const std::vector<std::wstring> lines = decodeTextLines(content);
        EXPECT_EQ(lines[lines.size() - 2], L"[Caf\u00e9]");
    }
    fakeSystem.reset();
    std::string content;
    bool exists = true;
    std::wstring why;
    ASSERT_TRUE(withSectionAdded(L"new.ini", section, content, exists, why));
    EXPECT_FALSE(exists);
    EXPECT_EQ(content, "\xEF\xBB\xBF[Caf\xC3\xA9]\r\nclass=X\r\n"); // UTF-8 with a mark, CR LF
    // A character the file's code page has no place for: nothing to write.
    fakeSystem.files[L"r.ini"] = "[\xE9t\xE9]\nclass=Y\n";
    fakeSystem.codePage = 1252;
    EXPECT_FALSE(withSectionAdded(L"r.ini", L"[\u65e5\u672c]\n", content, exists, why));
    EXPECT_NE(why.find(L"code page 1252"), std::wstring::npos);
}

} // namespace
