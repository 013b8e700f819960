// What check says of the keys that name today's windows, and where it says
// it: at the line an editor should jump to.
#include "tests/unit/ctl_run.h"
#include "tests/unit/fake_system.h"
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace {

std::wstring checkOf(const std::string& file) {
    fakeSystem.reset();
    fakeSystem.files[L"r.ini"] = file;
    return ctl({L"check", L"r.ini"}).out;
}

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// Values a new user tried: "never matches" only where no program's file or
// path can be so written (tried with a program running, tests/wine), "may not
// match" where one can.
TEST(CheckProcess, ValuesThatMayOrCanNeverMatchAreWarnedAbout) {
    struct Case {
        const char* value;
        const wchar_t* verdict; // never matches, may not match, or nothing
        const wchar_t* why;
    } cases[] = {
        {"slack.exe ", L"never matches", L"ends with a blank or a dot"},
        {"slack.exe.", L"never matches", L"ends with a blank or a dot"},
        {"slack.exe\t", L"never matches", L"control character"},
        {"\"slack.exe\"", L"never matches", L"quotes"},
        {"\"C:\\Program Files\\Slack\\slack.exe\"", L"never matches", L"quotes"},
        {"C:/Program Files/Slack/slack.exe", L"never matches", L"holds /"},
        {"C:\\Program Files/Slack\\slack.exe", L"never matches", L"holds /"},
        {"\\\\?\\C:\\Program Files\\Slack\\slack.exe", L"never matches", L"without it"},
        {"nu\\slack.exe", L"never matches", L"part of a path"},
        {"\\slack.exe", L"never matches", L"part of a path"},
        {"C:\\Program Files\\Slack\\..\\Slack\\slack.exe", L"never matches", L"\"..\" folder"},
        {"%windir%\\notepad.exe", L"never matches", L"part of a path"},
        {"slack:exe", L"never matches", L"< > | ? * :"},
        {" slack.exe", L"may not match", L"blank at an end"},
        {"\xE3\x80\x80slack.exe", L"may not match", L"blank at an end"},
        {"slack.exe\xE3\x80\x80", L"may not match", L"blank at an end"},
        {"slack", L"may not match", L"no extension"},
        {"%APP%.exe", L"may not match", L"holds %"},
        {"", L"", L"process= is empty, so no program is compared"},
        {"slack.exe", L"", nullptr},
        {"OUTLOOK.EXE", L"", nullptr},
        {"C:\\Program Files\\Slack\\slack.exe", L"", nullptr},
        {"C:\\Apps\\my..app\\tool.exe", L"", nullptr}, // ".." inside a folder's name
        {"\\\\server\\apps\\tool.exe", L"", nullptr},
        {"notepad++.exe", L"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const std::wstring out =
            checkOf(std::string("[AfterSlackQuits]\nprocess=") + c.value + "\ntrigger=closed\n");
        if (!c.why) {
            EXPECT_EQ(out, L"r.ini: 1 section, no problems\n");
            continue;
        }
        EXPECT_TRUE(contains(out, L"r.ini:2: warning: process=")) << narrow(out);
        EXPECT_TRUE(contains(out, c.verdict)) << narrow(out);
        EXPECT_TRUE(contains(out, c.why)) << narrow(out);
    }
}

// A title's blanks matter only when it is compared whole, by the section's
// last titlematch, wherever that stands.
TEST(CheckTitle, BlanksFollowTheFinalTitlematch) {
    struct Case {
        const char* section;
        bool warned;
    } cases[] = {
        {"[Firefox]\ntitle= - Mozilla Firefox\ntitlematch=end\n", false},
        {"[Firefox]\ntitlematch=end\ntitle= - Mozilla Firefox\n", false},
        {"[Notepad]\ntitle= Notepad \n", true},
        {"[Notepad]\ntitlematch=contains\ntitle= Notepad \ntitlematch=exact\n", true},
        {"[Notepad]\ntitle= Notepad \ntitlematch=contains\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        const std::wstring out = checkOf(c.section);
        EXPECT_EQ(contains(out, L"with its blanks; window titles must match exactly"), c.warned)
            << narrow(out);
        if (c.warned) { // at the title's own line
            EXPECT_TRUE(contains(out, L": warning: title is \""));
        }
    }
    const std::wstring out = checkOf("[Notepad]\ntitlematch=contains\ntitle= Notepad \n"
                                     "class=Notepad\ntitlematch=exact\n");
    EXPECT_TRUE(contains(out, L"r.ini:3: warning: title is \" Notepad \"")) << narrow(out);
}

// What concerns a whole section is said at its header; a key that cannot
// work, at its own line; a list that never runs, at its first entry.
TEST(CheckLines, EachFindingPointsAtTheLineToFix) {
    const std::wstring out = checkOf("# rules\n[Mail]\ncheck=change\nexec=x\n\n"
                                     "[Later]\nclass=Edit\ntitlematch=start\nsleep=5\n"
                                     "[Once]\nclass=X\nontimeout=nothing\nexec=y\n");
    EXPECT_TRUE(contains(out, L"r.ini:2: error: section [Mail] names no window")) << narrow(out);
    EXPECT_TRUE(contains(out, L"r.ini:8: error: titlematch (line 8) has no title")) << narrow(out);
    EXPECT_TRUE(contains(out, L"r.ini:12: warning: ontimeout never runs")) << narrow(out);
}

// "--help" that is an option's value is that value.
TEST(CtlArguments, HelpOnlyWhereItIsNoOptionsValue) {
    fakeSystem.reset();
    fakeSystem.files[L"r.ini"] = "[-h]\nclass=X\n[--help]\nclass=Y\n";
    EXPECT_EQ(ctl({L"check", L"r.ini", L"--section", L"-h"}).out,
              L"r.ini: 1 section, no problems\n");
    EXPECT_EQ(ctl({L"check", L"r.ini", L"--section=--help"}).out,
              L"r.ini: 1 section, no problems\n");
    EXPECT_TRUE(contains(ctl({L"check", L"r.ini", L"--section", L"-h", L"-h"}).out, L"usage:"));
    EXPECT_TRUE(contains(ctl({L"check", L"r.ini", L"--quiet", L"--help"}).out, L"usage:"));
}

// --format msvc as VS Code's $msCompile problem matcher reads it (its pattern
// as VS Code defines it): every finding about a line is matched, with the
// file, the line, the severity, the stable code and the message.
TEST(CheckFormat, MsvcFindingsMatchTheEditorsProblemMatcher) {
    fakeSystem.reset();
    fakeSystem.files[L"rules.ini"] = "class=X\n[Mail]\ntitel=Inbox\ntrigger=sometimes\n"
                                     "timeout=30s\nexec=notepad.exe C:\\notes.txt\n";
    const CtlRun run = ctl({L"check", L"rules.ini", L"--format", L"msvc"});
    EXPECT_EQ(run.code, 1);
    const std::wregex msCompile(LR"(^(?:\s*\d+>)?(\S.*)\((\d+|\d+,\d+|\d+,\d+,\d+,\d+)\)\s*:\s+)"
                                LR"(((?:fatal +)?error|warning|info)\s+(\w+\d+)\s*:\s*(.*)$)");
    std::set<std::wstring> codes;
    size_t lines = 0;
    for (size_t at = 0, end; (end = run.out.find(L'\n', at)) != std::wstring::npos; at = end + 1) {
        const std::wstring line = run.out.substr(at, end - at);
        std::wsmatch match;
        ASSERT_TRUE(std::regex_match(line, match, msCompile)) << narrow(line);
        EXPECT_EQ(match[1].str(), L"rules.ini");
        codes.insert(match[4].str());
        ++lines;
    }
    EXPECT_EQ(lines, 7u);
    EXPECT_EQ(codes, (std::set<std::wstring>{L"PAL100", L"PAL101", L"PAL102", L"PAL104", L"PAL201",
                                             L"PAL210", L"PAL216"}));
}

// A subcommand a letter off is named.
TEST(CtlArguments, AnUnknownSubcommandGetsTheNearestName) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* meant; // empty: none is near
    } cases[] = {{L"chek", L"check"},
                 {L"explian", L"explain"},
                 {L"window", L"windows"},
                 {L"instance", L"instances"},
                 {L"frobnicate", L""}};
    for (const Case& c : cases) {
        const CtlRun run = ctl({c.typed});
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(contains(run.err, L"did you mean"), *c.meant != L'\0') << narrow(run.err);
        if (*c.meant) {
            EXPECT_TRUE(contains(run.err, L"did you mean " + std::wstring(c.meant) + L"?"));
        }
    }
}

// Where this system's converter reads a code page unmeasured against
// Windows, check says so.
TEST(CheckCodePage, OnlyMeasuredCodePagesAreHeldToWindows) {
    for (unsigned codePage : {932u, 1252u, 936u, 949u, 950u}) {
        SCOPED_TRACE(codePage);
        fakeSystem.reset();
        fakeSystem.codePage = codePage;
        fakeSystem.files[L"r.ini"] = "[Caf\xe9]\nclass=X\n";
        const bool said = contains(ctl({L"check", L"r.ini"}).out, L"only 932 and 1252 are held");
        EXPECT_EQ(said, codePage != 932 && codePage != 1252);
    }
}

// What a process= rule cannot see is said where its window is explained.
TEST(ExplainProgram, SaysWhatTheRuleCannotSee) {
    fakeSystem.reset();
    fakeSystem.files[L"r.ini"] = "[AfterSlackQuits]\nprocess=slack.exe\ntrigger=closed\n"
                                 "check=change\n[WaitForNotepad]\ntitle=Notepad\n"
                                 "titlematch=contains\ntrigger=running\n";
    const std::wstring slack = ctl({L"explain", L"r.ini", L"AfterSlackQuits"}).out;
    EXPECT_TRUE(contains(slack, L"whose program cannot be read")) << narrow(slack);
    EXPECT_TRUE(contains(slack, L"closed to the notification area")) << narrow(slack);
    const std::wstring notepad = ctl({L"explain", L"r.ini", L"WaitForNotepad"}).out;
    EXPECT_TRUE(contains(notepad, L"a title that contains \"Notepad\", visible ("))
        << narrow(notepad);
    EXPECT_FALSE(contains(notepad, L"cannot be read"));
}

} // namespace
