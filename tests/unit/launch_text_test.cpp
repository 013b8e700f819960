#include "base/shortcut_text.h"
#include "watch/launch_text.h"
#include <gtest/gtest.h>

namespace {

void expectParts(const LaunchParts& parts, const std::wstring& file, const std::wstring& params,
                 bool shortcut = false) {
    EXPECT_EQ(parts.file, file);
    EXPECT_EQ(parts.parameters, params);
    EXPECT_EQ(parts.shortcut, shortcut);
}

TEST(CommandSplit, BarShortcutOrWholeText) {
    expectParts(splitCommandText(L"\\Apps\\tool.exe|-x y"), L"\\Apps\\tool.exe", L"-x y");
    expectParts(splitCommandText(L"a|b|c"), L"a", L"b|c");
    expectParts(splitCommandText(L"|x"), L"", L"x");
    expectParts(splitCommandText(L"\\Apps\\tool.exe report.txt"), L"\\Apps\\tool.exe report.txt",
                L"");
    expectParts(splitCommandText(L"x.lnk|p"), L"x.lnk", L"p");
    expectParts(splitCommandText(L"\\Start\\Mail.lnk"), L"\\Start\\Mail.lnk", L"", true);
    expectParts(splitCommandText(L"\\Start\\Mail.LNK"), L"\\Start\\Mail.LNK", L"");
    expectParts(splitCommandText(L"abc"), L"abc", L"");
    expectParts(splitCommandText(L"a.lnk "), L"a.lnk ", L"");
}

TEST(ShortcutTarget, QuotedPathThenArguments) {
    expectParts(splitShortcutTarget(L"\"\\Program Files\\Mail\\mail.exe\"  -new"),
                L"\\Program Files\\Mail\\mail.exe", L"-new");
    expectParts(splitShortcutTarget(L"\"\\a b\\c.exe\"   "), L"\\a b\\c.exe", L"");
    expectParts(splitShortcutTarget(L"\"\\a b\\c.exe\""), L"\\a b\\c.exe", L"");
    expectParts(splitShortcutTarget(L"\"\\a b\\c.exe\"\t-x"), L"\\a b\\c.exe", L"\t-x");
    expectParts(splitShortcutTarget(L"\"\\unclosed\\c.exe -x"), L"\\unclosed\\c.exe -x", L"");
    expectParts(splitShortcutTarget(L"\\Windows\\pword.exe -opendoc"),
                L"\\Windows\\pword.exe -opendoc", L"");
    expectParts(splitShortcutTarget(L""), L"", L"");
}

TEST(ShortcutTarget, WindowsCeTextForm) {
    std::wstring target;
    EXPECT_TRUE(parseCeShortcutText(L"24#\"\\Windows\\tmail.exe\" -new", target));
    EXPECT_EQ(target, L"\"\\Windows\\tmail.exe\" -new");
    EXPECT_TRUE(parseCeShortcutText(L"7#\\a.exe\r\n", target));
    EXPECT_EQ(target, L"\\a.exe");
    EXPECT_FALSE(parseCeShortcutText(L"#\\a.exe", target));
    EXPECT_FALSE(parseCeShortcutText(L"12", target));
    EXPECT_FALSE(parseCeShortcutText(L"L\0\0\0binary", target));
}

TEST(TrailingLineBreaks, OnlyAtTheEnd) {
    EXPECT_EQ(trimTrailingLineBreaks(L"a.exe\r\n"), L"a.exe");
    EXPECT_EQ(trimTrailingLineBreaks(L"a\r\nb\n\n\r"), L"a\r\nb");
    EXPECT_EQ(trimTrailingLineBreaks(L"\r\n"), L"\r\n");
    EXPECT_EQ(trimTrailingLineBreaks(L""), L"");
}

} // namespace
