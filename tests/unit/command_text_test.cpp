#include "watch/command_text.h"
#include <gtest/gtest.h>

namespace {

TEST(SyncPrefix, FiveCharactersIgnoringCase) {
    SyncSplit s = splitSyncPrefix(L"SYNC Close");
    EXPECT_TRUE(s.sync);
    EXPECT_EQ(s.text, L"Close");
    s = splitSyncPrefix(L"sync  two spaces");
    EXPECT_EQ(s.text, L" two spaces");
    EXPECT_FALSE(splitSyncPrefix(L"sync").sync);
    EXPECT_FALSE(splitSyncPrefix(L"synchronise").sync);
    EXPECT_EQ(splitSyncPrefix(L"sync\tx").text, L"sync\tx");
}

TEST(ClipboardToken, ReplacedOnceEachNeverRescanned) {
    EXPECT_EQ(expandClipboardToken(L"%%CLIPBOARD%%", L"x%%CLIPBOARD%%y"), L"x%%CLIPBOARD%%y");
    EXPECT_EQ(expandClipboardToken(L"copy%%CLIPBOARD%%|%%CLIPBOARD%%", L"ab"), L"copyab|ab");
    EXPECT_EQ(expandClipboardToken(L"a%%CLIPBOARD%%b", L""), L"ab");
    EXPECT_EQ(expandClipboardToken(L"%%clipboard%%", L"ab"), L"%%clipboard%%");
    EXPECT_EQ(expandClipboardToken(L"%%CLIPBOARD%", L"ab"), L"%%CLIPBOARD%");
    const std::wstring big(3 * 1024 * 1024, L'z');
    EXPECT_EQ(expandClipboardToken(L"<%%CLIPBOARD%%>", big).size(), big.size() + 2);
}

TEST(SleepCommand, ScanfRules) {
    struct Case {
        const wchar_t* entry;
        bool isSleep;
        std::int32_t ms;
    };
    const Case cases[] = {
        {L"sleep 250", true, 250},
        {L"Sleep -5", true, 0},
        {L"SLEEP   100ms", true, 100},
        {L"sleep abc", false, 0},
        {L"sleep", false, 0},
        {L"sleep ", false, 0},
        {L"sleep 4294967296", true, 2147483647},
        {L"sleep 3000000000", true, 2147483647},
        {L"sleep -99999999999999999999", true, 0},
        {L"sleeping 5", false, 0},
    };
    for (const Case& c : cases) {
        std::int32_t ms = -1;
        EXPECT_EQ(parseSleepCommand(c.entry, ms), c.isSleep) << c.entry;
        if (c.isSleep) {
            EXPECT_EQ(ms, c.ms) << c.entry;
        }
    }
}

TEST(Builtins, WholeWordsIgnoringCase) {
    std::int32_t ms = 0;
    EXPECT_EQ(classifyCommand(L"Nothing", ms), Builtin::Nothing);
    EXPECT_EQ(classifyCommand(L"nothing ", ms), Builtin::External);
    EXPECT_EQ(classifyCommand(L"ACTIVE", ms), Builtin::Activate);
    EXPECT_EQ(classifyCommand(L"activate", ms), Builtin::Activate);
    EXPECT_EQ(classifyCommand(L"inactive", ms), Builtin::Inactivate);
    EXPECT_EQ(classifyCommand(L"InActivate", ms), Builtin::Inactivate);
    EXPECT_EQ(classifyCommand(L"close", ms), Builtin::Close);
    EXPECT_EQ(classifyCommand(L"sleep 7", ms), Builtin::Sleep);
    EXPECT_EQ(ms, 7);
    EXPECT_EQ(classifyCommand(L"", ms), Builtin::External);
    EXPECT_EQ(classifyCommand(L"sleep abc", ms), Builtin::External);
}

TEST(Listing, EntriesAsWritten) {
    EXPECT_EQ(buildCommandListing({}), L"実行コマンド:");
    EXPECT_EQ(buildCommandListing({L"sync %%CLIPBOARD%%", L""}),
              L"実行コマンド:\nsync %%CLIPBOARD%%\n");
}

} // namespace
