#include "watch/window_match.h"
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Each mode on titles (folded already) that only some modes match.
TEST(TitleMatch, FourModes) {
    const std::wstring wanted = L" - MOZILLA FIREFOX";
    struct Case {
        std::wstring title;
        bool exact, start, contains, end;
    } cases[] = {
        {L" - MOZILLA FIREFOX", true, true, true, true},
        {L"NEWS - MOZILLA FIREFOX", false, false, true, true},       // end only, and contains
        {L" - MOZILLA FIREFOX (PRIVATE)", false, true, true, false}, // start only, and contains
        {L"A - MOZILLA FIREFOX B", false, false, true, false},       // contains alone
        {L" - MOZILLA FIREFO", false, false, false, false},          // one short
        {L"", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.title.begin(), c.title.end()));
        EXPECT_EQ(titleMatches(TitleMatch::exact, c.title, wanted), c.exact);
        EXPECT_EQ(titleMatches(TitleMatch::start, c.title, wanted), c.start);
        EXPECT_EQ(titleMatches(TitleMatch::contains, c.title, wanted), c.contains);
        EXPECT_EQ(titleMatches(TitleMatch::end, c.title, wanted), c.end);
    }
}

TEST(ProgramMatch, FileNameOrWholePath) {
    const std::wstring path = L"C:\\PROGRAM FILES\\NOTEPAD++\\NOTEPAD++.EXE";
    EXPECT_TRUE(programMatches(L"NOTEPAD++.EXE", path));
    EXPECT_FALSE(programMatches(L"PAD++.EXE", path)); // the whole file name, not its end
    EXPECT_FALSE(programMatches(L"NOTEPAD++", path));
    EXPECT_TRUE(programMatches(path, path));
    EXPECT_FALSE(programMatches(L"D:\\PROGRAM FILES\\NOTEPAD++\\NOTEPAD++.EXE", path));
    EXPECT_FALSE(programMatches(L"\\NOTEPAD++.EXE", path));  // a backslash asks for the path
    EXPECT_TRUE(programMatches(L"PWORD.EXE", L"PWORD.EXE")); // the handheld names no folder
}

// One look over `windows`, judging each with `ask` until `stopAt` (the
// target: EnumWindows stops there); the windows asked about.
std::vector<std::uintptr_t> look(WindowVerdicts& verdicts,
                                 const std::vector<std::uintptr_t>& windows, std::uintptr_t stopAt,
                                 Verdict answer = Verdict::No) {
    std::vector<std::uintptr_t> asked;
    verdicts.beginLook();
    for (std::uintptr_t window : windows) {
        const void* handle = reinterpret_cast<const void*>(window);
        verdicts.judge(handle, [&] {
            asked.push_back(window);
            return window == stopAt ? Verdict::Yes : answer;
        });
        if (window == stopAt)
            break;
    }
    verdicts.endLook();
    return asked;
}

using Handles = std::vector<std::uintptr_t>;

// A window's verdict is asked for once while every look meets it. One that
// a look does not meet (gone, or behind the target where the look stopped)
// is forgotten: its handle may come back for another window.
TEST(WindowVerdicts, KeptWhileEveryLookMeetsTheWindow) {
    WindowVerdicts verdicts;
    EXPECT_EQ(look(verdicts, {0x10, 0x20, 0x30, 0x40}, 0x30), (Handles{0x10, 0x20, 0x30}));
    EXPECT_EQ(look(verdicts, {0x10, 0x20, 0x30, 0x40}, 0x30), Handles{});
    EXPECT_EQ(verdicts.count(), 3u);
    // Now 0x10 is the target, in front: the look stops before 0x20.
    EXPECT_EQ(look(verdicts, {0x30, 0x10, 0x20}, 0x10), Handles{});
    EXPECT_EQ(verdicts.count(), 2u);
    // So 0x20 is asked about again, as a window that took a gone one's handle is.
    EXPECT_EQ(look(verdicts, {0x20, 0x10}, 0x10), (Handles{0x20}));
}

// A failed read is no verdict: the window is asked about at every look
// until its program can be read, and then no more.
TEST(WindowVerdicts, AnUnreadWindowIsAskedAgain) {
    WindowVerdicts verdicts;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(look(verdicts, {0x10, 0x20}, 0, Verdict::Unread), (Handles{0x10, 0x20}));
    EXPECT_EQ(verdicts.count(), 0u);
    EXPECT_EQ(look(verdicts, {0x10, 0x20}, 0x20), (Handles{0x10, 0x20}));
    EXPECT_EQ(look(verdicts, {0x10, 0x20}, 0x20), Handles{});
}

// An hour and more of looks at polling=50 beside a program that opens
// windows all the time (menus, tooltips): the target is found at every look,
// and new windows keep coming above it. The cache stays as large as a look,
// and the last look costs what the first did.
TEST(WindowVerdicts, AnHourOfLooksCostsWhatTheFirstDid) {
    WindowVerdicts verdicts;
    const std::uintptr_t target = 0x7fff0000;
    Handles windows(6);
    std::uintptr_t next = 0x1000;
    for (std::uintptr_t& window : windows)
        window = next += 0x10;
    windows.push_back(target);
    look(verdicts, windows, target);
    look(verdicts, windows, target);
    const size_t firstWork = verdicts.work();
    for (int i = 0; i < 100000; ++i) { // 83 minutes at polling=50
        windows[static_cast<size_t>(i) % 3] = next += 0x10; // three windows replaced a look
        ASSERT_EQ(look(verdicts, windows, target).size(), 1u);
        ASSERT_LE(verdicts.count(), windows.size());
    }
    EXPECT_EQ(verdicts.count(), windows.size());
    EXPECT_EQ(verdicts.work(), firstWork);
}

} // namespace
