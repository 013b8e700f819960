// A rule learned from one demonstration: the changes seen from look to look,
// the window picked, the way it is named, and the section in the file's own
// encoding.
#include "ctl/new/demonstration.h"
#include "ctl/new/desktop_changes.h"
#include "ctl/new/rule_file_append.h"
#include "ctl/new/rule_proposal.h"
#include "rules/text_file.h"
#include "rules/window_classes.h"
#include "tests/unit/fake_system.h"
#include <gtest/gtest.h>

namespace {

WindowLook window(const wchar_t* cls, const wchar_t* title, const wchar_t* program,
                  bool visible = true, bool taskbar = true) {
    WindowLook look;
    look.className = cls;
    look.title = title;
    look.program = program;
    look.visible = visible;
    look.taskbar = taskbar;
    return look;
}

// The changes a user's actions make, look by look, and what is left out.
TEST(DesktopChanges, WhatTheLooksSay) {
    DesktopLook before;
    before.windows[1] = window(L"Shell_TrayWnd", L"", L"explorer.exe");
    before.windows[2] = window(L"IME", L"Default IME", L"notepad.exe", false); // never visible
    before.windows[3] = window(L"Notepad", L"Untitled - Notepad", L"notepad.exe");
    before.windows[9] = window(L"ConsoleWindowClass", L"cmd", L"conhost.exe"); // ours: ignored
    before.front = 3;
    DesktopChanges changes(9);
    changes.start(before);
    DesktopLook after = before;
    after.windows[2].title = L"IME changed"; // never visible: nothing
    after.windows[3].title = L"notes.txt - Notepad";
    after.windows[4] =
        window(L"MozillaWindowClass", L"Inbox - Mozilla Thunderbird", L"thunderbird.exe");
    after.windows[5] = window(L"tooltips_class32", L"", L"thunderbird.exe", false);
    after.windows[6] = window(L"", L"", L"", false); // made hidden: nothing read of it yet
    after.windows[9].title = L"cmd - palimoorctl";
    after.front = 4;
    changes.next(after, 1400);
    DesktopLook later = after;
    later.windows[4].minimized = true;
    later.windows[6] = window(L"OpusApp", L"Document1 - Word", L"WINWORD.EXE"); // shown at last
    later.windows.erase(3);
    later.front = 1;
    changes.next(later, 3000);
    std::vector<std::pair<ChangeKind, std::uint64_t>> seen;
    for (const DesktopChange& change : changes.changes())
        seen.emplace_back(change.kind, change.window);
    EXPECT_EQ(seen,
              (std::vector<std::pair<ChangeKind, std::uint64_t>>{{ChangeKind::Renamed, 3},
                                                                 {ChangeKind::Appeared, 4},
                                                                 {ChangeKind::CameToFront, 4},
                                                                 {ChangeKind::Minimized, 4},
                                                                 {ChangeKind::Appeared, 6},
                                                                 {ChangeKind::Closed, 3},
                                                                 {ChangeKind::CameToFront, 1}}));
    EXPECT_EQ(changes.changes()[5].look.title, L"notes.txt - Notepad"); // as last seen
    EXPECT_EQ(
        timelineText({changes.changes()[1]}),
        L" 1    +1.4 s  appeared        class \"MozillaWindowClass\"  title \"Inbox - Mozilla "
        L"Thunderbird\"  thunderbird.exe\n");
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

// The narrowest stable way to name the window, for each kind of program.
TEST(ProposeRule, TheNarrowestStableName) {
    struct Case {
        const char* what;
        WindowLook target;
        std::vector<WindowLook> others;
        std::vector<std::wstring> titlesBefore; // renamed during the demonstration
        ChangeKind kind;
        std::wstring keys;
    } cases[] = {
        {"a class of its own",
         window(L"Notepad", L"Untitled - Notepad", L"notepad.exe"),
         {window(L"Shell_TrayWnd", L"", L"explorer.exe")},
         {},
         ChangeKind::Appeared,
         L"class=Notepad;trigger=running;check=change;"},
        {"a class two programs share",
         window(L"Chrome_WidgetWin_1", L"Slack", L"slack.exe"),
         {window(L"Chrome_WidgetWin_1", L"notes.md - Visual Studio Code", L"Code.exe")},
         {},
         ChangeKind::CameToFront,
         L"process=slack.exe;trigger=active;check=change;"},
        {"a class made for each run",
         window(L"HwndWrapper[App.exe;;5d0b3a29-1a7e-4a45-9b3e-3f0d1c7f0a11]", L"Ledger",
                L"Ledger.exe"),
         {},
         {},
         ChangeKind::Minimized,
         L"process=Ledger.exe;trigger=inactive;check=change;"},
        {"a title that gains a document's name",
         window(L"HwndWrapper[Editor.exe;;1b2c3d4e-0000-4a45-9b3e-3f0d1c7f0a11]",
                L"notes.txt - Editor", L"Editor.exe"),
         {window(L"HwndWrapper[Editor.exe;;77777777-0000-4a45-9b3e-3f0d1c7f0a11]",
                 L"Editor settings", L"Editor.exe")},
         {L"Untitled - Editor"},
         ChangeKind::Closed,
         L"process=Editor.exe;title=Editor;titlematch=end;trigger=closed;check=change;"},
        {"a title with a zero-width space",
         window(L"Chrome_WidgetWin_1", L"News - Profile 1 - Microsoft\u200B Edge", L"msedge.exe"),
         {window(L"Chrome_WidgetWin_1", L"Mail - Profile 1 - Microsoft\u200B Edge", L"msedge.exe")},
         {},
         ChangeKind::CameToFront,
         L"process=msedge.exe;title=Edge;titlematch=end;trigger=active;check=change;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::map<std::uint64_t, WindowLook> seen;
        seen[1] = c.target;
        std::uint64_t id = 2;
        for (const WindowLook& other : c.others)
            seen[id++] = other;
        std::vector<DesktopChange> changes;
        for (const std::wstring& before : c.titlesBefore)
            changes.push_back({100, ChangeKind::Renamed, 1, c.target, before});
        changes.push_back({900, c.kind, 1, c.target, L""});
        const RuleProposal proposal = proposeRule(changes, changes.back(), seen);
        EXPECT_EQ(keysOf(proposal), c.keys);
        for (const ProposedKey& key : proposal.keys)
            EXPECT_FALSE(key.why.empty());
    }
}

// The section's text: reasons as comments the program skips, exec to fill in.
TEST(ProposeRule, TheSectionReadsAsARule) {
    std::map<std::uint64_t, WindowLook> seen;
    seen[1] = window(L"Notepad", L"Untitled - Notepad", L"notepad.exe");
    const std::vector<DesktopChange> changes = {{100, ChangeKind::Appeared, 1, seen[1], L""}};
    const RuleProposal proposal = proposeRule(changes, changes[0], seen, L"not_closed", L"both");
    const std::wstring text = sectionText(L"WaitForNotepad", proposal, L"");
    EXPECT_EQ(text.substr(0, 17), L"[WaitForNotepad]\n");
    EXPECT_NE(text.find(L"\ntrigger=not_closed\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\ncheck=both\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\n#exec=\n"), std::wstring::npos);
    for (size_t at = 0, end; (end = text.find(L'\n', at)) != std::wstring::npos; at = end + 1) {
        const std::wstring line = text.substr(at, end - at);
        EXPECT_TRUE(line[0] == L'#' || line[0] == L'[' || line.find(L'=') != std::wstring::npos);
    }
    EXPECT_NE(sectionText(L"W", proposal, L"C:\\Windows\\notepad.exe")
                  .find(L"\nexec=C:\\Windows\\notepad.exe\n"),
              std::wstring::npos);
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
