// palimoorctl's check and explain against reviewed golden outputs, in every
// encoding and line-end form the program reads.
#include "ctl/commands.h"
#include "ctl/rule_scan.h"
#include "rules/ini_reader.h"
#include "rules/text_file.h"
#include "tests/unit/fake_system.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

std::string goldenBytes(const std::string& name) {
    std::ifstream file(std::string(PALIMOOR_GOLDEN_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The decoded text, lines joined with line feeds.
std::wstring textOf(const std::string& bytes, const wchar_t* lineEnd = L"\n") {
    std::wstring text;
    for (const std::wstring& line : decodeTextLines(bytes))
        text += line + lineEnd;
    return text;
}

std::wstring golden(const std::string& name) {
    return textOf(goldenBytes(name));
}

struct CtlRun {
    int code;
    std::wstring out;
    std::wstring err;
};

CtlRun ctl(const Arguments& arguments) {
    CtlRun run{0, L"", L""};
    Console console;
    console.capturedOut = &run.out;
    console.capturedErr = &run.err;
    run.code = runCtl(arguments, console);
    return run;
}

std::string utf16le(const std::string& utf8, bool crlf) {
    std::string out = "\xFF\xFE";
    for (wchar_t c : textOf(utf8, crlf ? L"\r\n" : L"\n")) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
    }
    return out;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

TEST(CtlCheck, GoldenInEveryEncodingWithTheSameLineNumbers) {
    const std::string utf8 = goldenBytes("mistakes.ini");
    const std::pair<const char*, std::string> forms[] = {
        {"UTF-8", utf8},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8},
        {"UTF-8, CR LF", withCrLf(utf8)},
        {"UTF-16 with a mark", utf16le(utf8, false)},
        {"UTF-16 with a mark, CR LF", utf16le(utf8, true)},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.first);
        fakeSystem.reset();
        fakeSystem.files[L"mistakes.ini"] = form.second;
        const CtlRun text = ctl({L"check", L"mistakes.ini"});
        EXPECT_EQ(text.code, 1);
        EXPECT_EQ(text.out, golden("mistakes.check.txt"));
        EXPECT_EQ(text.err, L"");
        const CtlRun json = ctl({L"check", L"--json", L"mistakes.ini"});
        EXPECT_EQ(json.code, 1);
        EXPECT_EQ(json.out, golden("mistakes.check.json"));
        EXPECT_EQ(ctl({L"explain", L"mistakes.ini", L"Fine"}).out,
                  golden("mistakes.explain-Fine.txt"));
    }
    EXPECT_TRUE(fakeSystem.boxes.empty()); // findings are collected, never shown
}

TEST(CtlCheck, SectionSelectionAndExitCodes) {
    fakeSystem.reset();
    fakeSystem.files[L"r.ini"] = goldenBytes("mistakes.ini");
    fakeSystem.files[L"ok.ini"] = "[A]\ntitle=Inbox\nexec=sleep 250ms\n";
    struct Case {
        Arguments arguments;
        int code;
        std::wstring out;
        bool errorLine; // one line on standard error
    } cases[] = {
        {{L"check", L"r.ini", L"--section", L"Fine"}, 0, L"", false},
        {{L"check", L"r.ini", L"--section=Fine", L"--section", L"fine"},
         1,
         L"r.ini: error: section [fine] not found [処理対象セクションが見つからない:]\n",
         false},
        {{L"check", L"r.ini", L"--section", L"NoWindow"},
         1,
         L"r.ini:27: error: section [NoWindow] names no window: set class or title "
         L"[classとtitleが両方とも未指定です]\n",
         false},
        {{L"check", L"ok.ini"}, 0, L"", false},
        {{L"check", L"missing.ini"}, 2, L"", true},
        {{L"check"}, 2, L"", true},
        {{L"check", L"r.ini", L"--colour"}, 2, L"", true},
        {{L"check", L"r.ini", L"--section"}, 2, L"", true},
        {{L"explain", L"r.ini"}, 2, L"", true},
        {{L"explain", L"r.ini", L"Empty"}, 1, L"", false},
        {{L"frobnicate"}, 2, L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments.size()) + " arguments, first " +
                     std::string(c.arguments[0].begin(), c.arguments[0].end()));
        const CtlRun run = ctl(c.arguments);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out, c.out);
        if (c.errorLine) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), L'\n'), 1);
        }
    }
    for (const wchar_t* command : {L"check", L"explain", L"windows", L"instances"}) {
        const CtlRun help = ctl({command, L"--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_NE(help.out.find(L"usage: palimoorctl " + std::wstring(command)),
                  std::wstring::npos);
    }
}

// The checker groups every section in one pass; it must see exactly the key
// lines the program collects for each.
TEST(CtlCheck, SectionsAsTheProgramCollectsThem) {
    fakeSystem.reset();
    const std::string bytes = goldenBytes("mistakes.ini") + "[]\nexec=x\n[Mail]x\n[Fine]\nexec=y\n";
    fakeSystem.files[L"r.ini"] = bytes;
    RuleScan scan;
    ASSERT_TRUE(scanRuleFile(L"r.ini", scan));
    const std::vector<std::wstring> lines = decodeTextLines(bytes);
    ASSERT_EQ(scan.lines.size(), lines.size());
    for (const ScannedSection& section : scan.sections) {
        const std::vector<KeyValue> expected =
            collectSectionKeys(lines, L"[" + section.name + L"]");
        ASSERT_EQ(section.keys.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(section.keys[i].key, expected[i].key);
            EXPECT_EQ(section.keys[i].value, expected[i].value);
            EXPECT_EQ(section.keys[i].line, expected[i].line);
        }
    }
}

} // namespace
