#include "watch/window_match.h"
#include <gtest/gtest.h>

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

// A window's verdict is asked for once while it lives; one gone is forgotten
// after a whole look, and only then.
TEST(WindowVerdicts, RememberedWhileTheWindowIsMet) {
    WindowVerdicts verdicts;
    int a = 0, b = 0;
    bool verdict = false;
    verdicts.beginLook();
    EXPECT_FALSE(verdicts.lookUp(&a, verdict));
    verdicts.remember(&a, true);
    verdicts.remember(&b, false);
    verdicts.endLook(true);
    verdicts.beginLook(); // b is not met, but the look stops early at a
    ASSERT_TRUE(verdicts.lookUp(&a, verdict));
    EXPECT_TRUE(verdict);
    verdicts.endLook(false);
    EXPECT_EQ(verdicts.count(), 2u);
    verdicts.beginLook(); // a whole look without b: b is gone
    ASSERT_TRUE(verdicts.lookUp(&a, verdict));
    verdicts.endLook(true);
    EXPECT_EQ(verdicts.count(), 1u);
    EXPECT_FALSE(verdicts.lookUp(&b, verdict));
}

} // namespace
