#include "rules/text_file.h"
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;

TEST(TextFile, LineEndsAndLastLine) {
    EXPECT_EQ(decodeTextLines(""), Lines{});
    EXPECT_EQ(decodeTextLines("a\r\nb\nc"), (Lines{L"a", L"b", L"c"}));
    EXPECT_EQ(decodeTextLines("a\n\n"), (Lines{L"a", L""}));
    // Only the carriage return of a pair goes; a lone one stays.
    EXPECT_EQ(decodeTextLines("a\r\rb\r"), Lines{L"a\r\rb\r"});
    EXPECT_EQ(decodeTextLines(" x \t\n"), Lines{L" x \t"});
}

TEST(TextFile, ByteOrderMarksNeverReachTheFirstLine) {
    EXPECT_EQ(decodeTextLines("\xEF\xBB\xBF[M]\n"), Lines{L"[M]"});
    EXPECT_EQ(decodeTextLines(std::string("\xFF\xFE[\0M\0]\0\r\0\n\0x\0", 14)),
              (Lines{L"[M]", L"x"}));
    EXPECT_EQ(decodeTextLines(std::string("\xFE\xFF\0[\0M\0]", 8)), Lines{L"[M]"});
    // An odd trailing byte of UTF-16 is dropped, not read past.
    EXPECT_EQ(decodeTextLines(std::string("\xFF\xFE"
                                          "a\0b",
                                          5)),
              Lines{L"a"});
}

TEST(TextFile, Utf8OrAnsiFallback) {
    EXPECT_EQ(decodeTextLines("\xE7\xAA\x93"), Lines{L"窓"});
    // Not valid UTF-8: the ANSI code page (Latin-1 in these tests).
    EXPECT_EQ(decodeTextLines("caf\xE9"), Lines{L"caf\u00E9"});
    EXPECT_EQ(decodeTextLines("\xC0\xAF"), Lines{L"\u00C0\u00AF"}); // overlong
    EXPECT_EQ(decodeTextLines("\xE7\xAA"), Lines{L"\u00E7\u00AA"}); // cut short
    const Lines astral = decodeTextLines("\xF0\x9F\x98\x80");
    ASSERT_EQ(astral.size(), 1u);
    EXPECT_EQ(astral[0].size(), sizeof(wchar_t) == 2 ? 2u : 1u);
}

} // namespace
