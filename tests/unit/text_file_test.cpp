#include "rules/text_file.h"
#include "tests/unit/fake_system.h"
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

namespace {

TEST(TextFile, AMarkMeansItsEncodingEvenWithMalformedBytes) {
    // One stray byte after a UTF-8 mark is one replacement character, not a
    // reason to read the whole file in another code page.
    EXPECT_EQ(decodeTextLines("\xEF\xBB\xBF\xBB"), Lines{L"\uFFFD"});
    EXPECT_EQ(decodeTextLines("\xEF\xBB\xBF[\xE3\x83\xA1\xE3\x83]\ntitle=\xE7\xAA\x93\n"),
              (Lines{L"[メ\uFFFD]", L"title=窓"}));
    // An overlong pair and a sequence cut short: one replacement each.
    EXPECT_EQ(decodeTextLines("\xEF\xBB\xBF\xC0\xAF|\xF0\x9F\x98"), Lines{L"\uFFFD|\uFFFD"});
    // Without a mark the old rule stands: not UTF-8 as a whole, so ANSI.
    EXPECT_EQ(decodeTextLines("\xE7\xAA\x93\n\xBB"), (Lines{L"\u00E7\u00AA\u0093", L"\u00BB"}));
}

TEST(TextFile, ChunkBoundariesChangeNothing) {
    const std::string utf16 =
        std::string("\xFF\xFE[\0M\0]\0\r\0\n\0\x93\x7A=\0\x3D\xD8\x00\xDE", 20);
    const std::string files[] = {
        "\xEF\xBB\xBF[\xE7\xAA\x93]\r\nexec=a\r\n\r\nlast",
        utf16,
        "caf\xE9\r\n[x]\n",
        std::string(10000, 'x') + "\n" + std::string(5000, 'y'),
    };
    for (const std::string& bytes : files) {
        fakeSystem.reset();
        fakeSystem.files[L"f"] = bytes;
        std::vector<Lines> seen;
        for (size_t chunk : {1, 2, 3, 5, 4096, 1 << 20}) {
            fakeSystem.chunkSize = chunk;
            Lines lines;
            std::vector<int> numbers;
            ASSERT_TRUE(forEachTextLine(L"f", [&](const std::wstring& line, int number) {
                lines.push_back(line);
                numbers.push_back(number);
            }));
            for (size_t i = 0; i < numbers.size(); ++i)
                EXPECT_EQ(numbers[i], static_cast<int>(i + 1));
            seen.push_back(lines);
        }
        for (const Lines& lines : seen)
            EXPECT_EQ(lines, decodeTextLines(bytes));
    }
    EXPECT_FALSE(forEachTextLine(L"missing", [](const std::wstring&, int) {}));
}

} // namespace
