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
    std::int32_t ms = -1;
    EXPECT_TRUE(parseSleepCommand(L"sleep 250", ms));
    EXPECT_EQ(ms, 250);
    EXPECT_TRUE(parseSleepCommand(L"Sleep -5", ms));
    EXPECT_EQ(ms, 0);
    EXPECT_TRUE(parseSleepCommand(L"SLEEP   100ms", ms));
    EXPECT_EQ(ms, 100);
    EXPECT_FALSE(parseSleepCommand(L"sleep abc", ms));
    EXPECT_FALSE(parseSleepCommand(L"sleep", ms));
    EXPECT_FALSE(parseSleepCommand(L"sleep ", ms));
    EXPECT_TRUE(parseSleepCommand(L"sleep 4294967296", ms));
    EXPECT_EQ(ms, 2147483647);
    EXPECT_TRUE(parseSleepCommand(L"sleep 3000000000", ms));
    EXPECT_EQ(ms, 2147483647);
    EXPECT_TRUE(parseSleepCommand(L"sleep -99999999999999999999", ms));
    EXPECT_EQ(ms, 0);
    EXPECT_FALSE(parseSleepCommand(L"sleeping 5", ms));
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
