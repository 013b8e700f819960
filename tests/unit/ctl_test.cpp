// palimoorctl against reviewed golden outputs, in every encoding and line-end
// form the program reads; its verdicts against the program's own loader; and
// the command lines and shortcuts it writes, read back by the program's code.
#include "base/shortcut_text.h"
#include "ctl/checker/check.h"
#include "ctl/commands.h"
#include "options/command_line.h"
#include "rules/ini_reader.h"
#include "rules/rule_loader.h"
#include "rules/text_file.h"
#include "tests/unit/ctl_run.h"
#include "tests/unit/fake_system.h"
#include "watch/launch_text.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
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
        EXPECT_EQ(ctl({L"check", L"--format", L"msvc", L"mistakes.ini"}).out,
                  golden("mistakes.check.msvc.txt"));
        for (const char* section : {"Fine", "Mail"}) {
            const std::wstring name(section, section + std::char_traits<char>::length(section));
            EXPECT_EQ(ctl({L"explain", L"mistakes.ini", name}).out,
                      golden(std::string("mistakes.explain-") + section + ".txt"));
        }
    }
    EXPECT_TRUE(fakeSystem.boxes.empty()); // findings are collected, never shown
}

// What check says of each file, whole or by section, and with which exit code.
TEST(CtlCheck, FilesAndSectionsAsTheUserSeesThem) {
    fakeSystem.reset();
    fakeSystem.files[L"r.ini"] = goldenBytes("mistakes.ini");
    fakeSystem.files[L"ok.ini"] = "[A]\ntitle=Inbox\nexec=sleep 250ms\n[B]\nclass=X\n";
    fakeSystem.files[L"nul.ini"] = std::string("[N]\nclass=X\ncheck=bo\0th\n", 25);
    fakeSystem.files[L"cr.ini"] = "[A]\rclass=X\r";
    fakeSystem.files[L"crcrlf.ini"] = "[A]\r\r\nclass=X\r\r\n[B]\r\nclass=Y\r\n";
    fakeSystem.files[L"ansi.ini"] = "[Caf\xE9]\nclass=X\n";
    fakeSystem.files[L"broken.ini"] =
        "[A]\nclass=\xE7\xAA\x93\ntitle=\xE7\xAA\nexec=\xE3\x83\xA1\n";
    fakeSystem.files[L"sjis.ini"] = "[\xC3\xBD\xC4]\nclass=X\n"; // half-width katakana
    fakeSystem.files[L"edge.ini"] = "[Edge ]\nclass=X\n[Fine]\nclass=Y\n";
    fakeSystem.files[L"marked.ini"] = "\xEF\xBB\xBF[A]\nclass=\xFF\n";
    // The program's number reader skips a vertical tab as it skips a blank.
    fakeSystem.files[L"vt.ini"] = "[A]\nclass=X\nsleep=\v250\ntimeout=\t30s\n";
    const std::wstring notLoading =
        L" will not load: palimoor.exe shows its load-failure box and ends with exit code 1\n";
    struct Case {
        Arguments arguments;
        int code;
        std::wstring out; // exactly, or (starting with "~") a part of it
        bool errorLine;   // one line on standard error
    } cases[] = {
        {{L"check", L"r.ini", L"--section", L"Fine"}, 0, L"r.ini: 1 section, no problems\n", 0},
        {{L"check", L"r.ini", L"--section", L"Fine", L"--quiet"}, 0, L"", false},
        // A section asked for twice is checked once; a missing one gets near names.
        {{L"check", L"r.ini", L"--section=Fine", L"--section", L"fine", L"--section", L"Fine"},
         1,
         L"r.ini: error: section [fine] not found; did you mean [Fine]? [処理対象セクションが見つ"
         L"からない:]\nr.ini: [fine]" +
             notLoading,
         false},
        {{L"check", L"r.ini", L"--section", L"NoWindow"},
         1,
         L"r.ini:27: error: section [NoWindow] names no window: set class, title or process "
         L"[classとtitleが両方とも未指定です]\nr.ini: [NoWindow]" +
             notLoading,
         false},
        {{L"check", L"ok.ini"}, 0, L"ok.ini: 2 sections, no problems\n", false},
        // The box ends at a NUL, and so does the program's message here.
        {{L"check", L"--json", L"nul.ini"},
         1,
         L"~, \"program_message\": \"キー値不正\\ncheck=bo\"}",
         false},
        {{L"check", L"cr.ini"},
         1,
         L"cr.ini: error: this file ends lines with CR only; palimoor.exe splits lines at LF, so "
         L"it reads the whole file as one line and can load no section of it\n"
         L"cr.ini:1: warning: key line before the first section header is ignored\n",
         false},
        {{L"check", L"crcrlf.ini"},
         0,
         L"~crcrlf.ini:1: warning: a carriage return that is no part of a CR LF line end (CR CR "
         L"LF?) stays part of the line: palimoor.exe splits lines at LF; 1 more line has one\n"
         L"crcrlf.ini:1: warning: ends in a stray carriage return (CR CR LF line ends?), so it "
         L"is not a section header\n",
         false},
        {{L"check", L"ansi.ini"},
         0,
         L"ansi.ini: note: no byte-order mark and not UTF-8: read in code page 1252, as "
         L"palimoor.exe reads it where that is the ANSI code page (--codepage N for another)\n"
         L"ansi.ini: 1 section, no problems\n",
         false},
        {{L"check", L"broken.ini", L"--codepage", L"932"},
         0,
         L"~broken.ini:3: warning: this line is not valid UTF-8, so palimoor.exe reads the whole "
         L"file in code page 932 though the rest looks like UTF-8; save it as UTF-8\n",
         false},
        // One well-formed sequence by chance is no sign of UTF-8.
        {{L"check", L"sjis.ini"},
         0,
         L"sjis.ini: note: no byte-order mark and not UTF-8: read in code page 1252, as "
         L"palimoor.exe reads it where that is the ANSI code page (--codepage N for another)\n"
         L"sjis.ini: 1 section, no problems\n",
         false},
        {{L"check", L"edge.ini"},
         0,
         L"edge.ini:1: warning: section [Edge ] begins or ends with a blank, which a shortcut or "
         L"a shell does not keep: no shortcut can start it; rename the section\n",
         false},
        {{L"check", L"vt.ini"},
         0,
         L"vt.ini:4: warning: timeout=\\u000930s is read as 30 ms; the text after the number is "
         L"ignored\n",
         false},
        {{L"check", L"marked.ini"},
         0,
         L"~marked.ini:2: warning: bytes here are not UTF-8; palimoor.exe reads each as U+FFFD\n",
         false},
        {{L"check", L"missing.ini"}, 2, L"", true},
        {{L"check"}, 2, L"", true},
        {{L"check", L"r.ini", L"--colour"}, 2, L"", true},
        {{L"check", L"r.ini", L"--section"}, 2, L"", true},
        {{L"check", L"r.ini", L"--codepage", L"932junk"}, 2, L"", true},
        {{L"check", L"r.ini", L"--codepage=4294968228"}, 2, L"", true},
        {{L"check", L"r.ini", L"Fine"}, 2, L"", true},
        {{L"check", L"r.ini", L"--json", L"--format", L"msvc"}, 2, L"", true}, // two forms
        {{L"new", L"r.ini", L"Fine"}, 2, L"", true}, // here, where no desktop is
        {{L"explain", L"r.ini"}, 2, L"", true},
        {{L"explain", L"r.ini", L"Empty"}, 1, L"", false},
        {{L"frobnicate"}, 2, L"", false},
    };
    for (const Case& c : cases) {
        fakeSystem.codePage = 1252;
        SCOPED_TRACE(testing::PrintToString(c.arguments.size()) + " arguments, second " +
                     std::string(c.arguments.back().begin(), c.arguments.back().end()));
        const CtlRun run = ctl(c.arguments);
        EXPECT_EQ(run.code, c.code);
        if (!c.out.empty() && c.out[0] == L'~')
            EXPECT_TRUE(contains(run.out, c.out.substr(1))) << testing::PrintToString(run.out);
        else
            EXPECT_EQ(run.out, c.out);
        if (c.errorLine) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), L'\n'), 1);
        }
    }
    // A code page this system cannot convert is named, not read as empty lines.
    fakeSystem.codePageReadable = false;
    for (const Arguments& arguments :
         {Arguments{L"check", L"ansi.ini"}, Arguments{L"explain", L"ansi.ini", L"Caf\u00e9"}}) {
        const CtlRun run = ctl(arguments);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(contains(run.err, L"cannot convert code page 1252")) << run.err.size();
    }
    EXPECT_EQ(ctl({L"check", L"ok.ini"}).code, 0); // a UTF-8 file needs no code page
    fakeSystem.codePageReadable = true;
    // A section given where a second file would stand.
    EXPECT_TRUE(contains(ctl({L"check", L"r.ini", L"Fine"}).err,
                         L"one file at a time; did you mean --section \"Fine\"?"));
    for (const wchar_t* command : {L"check", L"explain", L"line", L"windows", L"instances"}) {
        const CtlRun help = ctl({command, L"--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(contains(help.out, L"usage: palimoorctl " + std::wstring(command)));
    }
}

// For every section, check's verdict is the program's own: it loads exactly
// when the program's loader loads it, with the same messages in the order of
// its boxes (a key error on the section's last line, and both of the
// section's own errors, once came in another order).
TEST(CtlCheck, VerdictsAreTheLoadersOwn) {
    fakeSystem.reset();
    const std::string bytes = goldenBytes("mistakes.ini") +
                              "[]\nexec=x\n[Mail]x\n[Fine]\nexec=y\n[Late]\n[Late]\ntitle=t\n"
                              "[Both]\ntitlematch=end\nclass=\n[LastLine]\ntitlematch=start\n"
                              "class=X\nclas=Y\n";
    fakeSystem.files[L"r.ini"] = bytes;
    std::set<std::wstring> names;
    for (const std::wstring& line : decodeTextLines(bytes)) {
        if (isSectionHeader(line))
            names.insert(line.substr(1, line.size() - 2));
    }
    names.insert(L"Absent");
    for (const std::wstring& name : names) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        std::vector<ReportedMessage> shown;
        Rule rule;
        rule.assignReporter(Reporter::collecting(&shown));
        const bool loads = readRuleSection(rule, L"r.ini", name);
        std::vector<std::wstring> programTexts;
        for (const ReportedMessage& finding : shown)
            programTexts.push_back(finding.text);

        std::vector<std::wstring> checkTexts;
        std::vector<SectionVerdict> verdicts;
        for (bool inOrder : {false, true}) {
            CheckReport report;
            report.verdictsInOrder = inOrder;
            checkTexts.clear();
            verdicts.clear();
            const CheckSink sink{
                [&](const CheckFinding& finding) {
                    if (!finding.programMessage.empty())
                        checkTexts.push_back(finding.programMessage);
                },
                [&](const SectionVerdict& verdict) { verdicts.push_back(verdict); }};
            ASSERT_TRUE(checkRuleFile(L"r.ini", {name}, sink, report));
            ASSERT_EQ(verdicts.size(), 1u);
            EXPECT_EQ(verdicts[0].loads, loads);
            EXPECT_EQ(checkTexts, programTexts);
        }
    }
}

// The keys beyond the handheld's, as check and explain tell them.
TEST(CtlCheck, ProgramAndTitleMatchKeys) {
    fakeSystem.reset();
    fakeSystem.files[L"d.ini"] = "[Slack]\nprocess=slack.exe\ntrigger=active\n"
                                 "[Fox]\ntitlematch=end\ntitle= - Mozilla Firefox\n"
                                 "process=C:\\P\\firefox.exe\n"
                                 "[Bad]\nclass=X\ntitlematch=start\nproces=x\n";
    const CtlRun check = ctl({L"check", L"d.ini"});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(check.out, // in the order of the program's boxes
              L"d.ini:11: error: unknown key \"proces\"; did you mean process? "
              L"[キー名称不正]\n"
              L"d.ini:10: error: titlematch (line 10) has no title to compare: set title "
              L"or leave titlematch out [キー値不正]\n");
    const CtlRun slack = ctl({L"explain", L"d.ini", L"Slack"});
    EXPECT_TRUE(contains(slack.out, L"Window:  process-only rule: the program's main window, the "
                                    L"first window of the program \"slack.exe\" that the "
                                    L"taskbar shows (visible, owned by no other window, not a "
                                    L"tool window such as a splash)\n"));
    EXPECT_TRUE(contains(slack.out, L"holds when the window exists and a window of its program "
                                    L"is in front"));
    EXPECT_TRUE(contains(ctl({L"explain", L"d.ini", L"Fox"}).out,
                         L"with any class and a title that ends with \" - Mozilla Firefox\", of "
                         L"the program at \"C:\\P\\firefox.exe\", visible"));
}

// Nothing from a rule file reaches the terminal raw.
TEST(CtlCheck, OutputShowsNoControlOrInvisibleCharacter) {
    fakeSystem.reset();
    const std::string nasty = "\x1b]0;owned\x07\xC2\x9B\xEF\xBB\xBF\xC2\xA0\xE2\x80\xAE";
    fakeSystem.files[L"n.ini"] = "[S" + nasty + "]\nclass" + nasty + "=1\ntitle=" + nasty +
                                 "\ncheck=" + nasty + "\nexec=" + nasty + " x\n" + nasty + "\n";
    const std::wstring section = L"S\x1b]0;owned\a\u009B\uFEFF\u00A0\u202E";
    for (const Arguments& arguments :
         {Arguments{L"check", L"n.ini"}, Arguments{L"check", L"--json", L"n.ini"},
          Arguments{L"check", L"n.ini", L"--section", section + L"x"},
          Arguments{L"explain", L"n.ini", section}}) {
        const CtlRun run = ctl(arguments);
        EXPECT_FALSE(run.out.empty());
        for (const std::wstring& text : {run.out, run.err}) {
            for (wchar_t c : text) {
                const unsigned u = static_cast<unsigned>(c);
                EXPECT_TRUE(c == L'\n' || (u >= 0x20 && u != 0x7F && !(u >= 0x80 && u <= 0xA0) &&
                                           u != 0xFEFF && u != 0x202E))
                    << "U+" << std::hex << u << " in " << testing::PrintToString(text);
            }
        }
    }
}

const std::wstring kExe = L"\\P\\palimoor.exe";

TEST(CtlLine, CommandLinesThatTheProgramReadsBack) {
    fakeSystem.reset();
    fakeSystem.files[L"\\P\\rules.ini"] =
        "[After Notepad]\nclass=Notepad\n[ "
        "Edge]\nclass=X\n[NoWindow]\ncheck=change\n[Fine]\nclass=Y\n";
    fakeSystem.files[L"\\P\\my rules\\r.ini"] = "[A]\ntitle=T\n";
    fakeSystem.files[L"\\Q\\rules.ini"] = "[A]\ntitle=T\n";
    struct Case {
        Arguments arguments;
        int code;
        std::wstring out; // the line, or (on refusal) a part of the message
    } cases[] = {
        {{L"\\P\\rules.ini", L"After Notepad"},
         0,
         L"\"/P/palimoor.exe\" -inifile=rules.ini -section=After Notepad\n"},
        {{L"\\P\\my rules\\r.ini", L"A", L"--debug", L"--execmode", L"open", L"--showicon=FALSE"},
         0,
         L"\"/P/palimoor.exe\" -debug=TRUE -execmode=open -showicon=FALSE "
         L"-inifile=\"my rules\\r.ini\" -section=A\n"},
        {{L"\\P\\rules.ini", L"Fine", L"--exe", L"\\P\\sub\\..\\palimoor.exe"},
         0,
         L"\"/P/palimoor.exe\" -inifile=rules.ini -section=Fine\n"},
        {{L"\\Q\\rules.ini", L"A"}, 2, L"palimoor.exe reads its rule file from its own folder"},
        {{L"\\P\\rules.ini", L"after notepad"}, 1, L"did you mean [After Notepad]?"},
        {{L"\\P\\rules.ini", L" Edge"}, 1, L"begins or ends with a blank"},
        {{L"\\P\\rules.ini", L"NoWindow"}, 1, L"does not load (it names no window)"},
        {{L"\\P\\rules.ini", L"Fine", L"--execmode", L"SOMETIMES"},
         2,
         L"palimoor.exe refuses \"-execmode=SOMETIMES\""},
        {{L"\\P\\absent.ini", L"A"}, 2, L"cannot read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.arguments[1].begin(), c.arguments[1].end()));
        Arguments arguments{L"line"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        if (std::find(arguments.begin(), arguments.end(), L"--exe") == arguments.end()) {
            arguments.push_back(L"--exe");
            arguments.push_back(kExe);
        }
        const CtlRun run = ctl(arguments);
        EXPECT_EQ(run.code, c.code);
        if (c.code == 0) {
            EXPECT_EQ(run.out, c.out);
            // The arguments as palimoor.exe reads them: the same section and file.
            Settings settings;
            const std::wstring argumentsText = run.out.substr(run.out.find(L"\" ") + 2);
            ASSERT_TRUE(parseOptions(settings, L"Palimoor", kExe,
                                     argumentsText.substr(0, argumentsText.size() - 1)));
            EXPECT_EQ(settings.section, c.arguments[1]);
            EXPECT_EQ(iniFilePath(kExe, settings.inifile), c.arguments[0]);
        } else {
            EXPECT_TRUE(contains(run.err, c.out)) << testing::PrintToString(run.err);
        }
    }
}

TEST(CtlLine, TheHandheldShortcutReadsBackThroughTheProgramsReader) {
    fakeSystem.reset();
    fakeSystem.files[L"\\P\\rules.ini"] = "[メール 2]\nclass=X\n";
    const CtlRun run =
        ctl({L"line", L"\\P\\rules.ini", L"メール 2", L"--exe", kExe, L"--ce", L"mail.lnk",
             L"--codepage", L"65001", L"--device-path", L"\\Storage Card\\palimoor.exe"});
    ASSERT_EQ(run.code, 0) << testing::PrintToString(run.err);
    const std::string bytes = fakeSystem.files[L"mail.lnk"];

    const std::vector<std::wstring> lines = decodeTextLines(bytes);
    ASSERT_EQ(lines.size(), 1u);
    std::wstring target;
    ASSERT_TRUE(parseCeShortcutText(lines[0], target));
    EXPECT_EQ(lines[0], std::to_wstring(target.size()) + L"#" + target);
    const LaunchParts parts = splitShortcutTarget(target);
    EXPECT_EQ(parts.file, L"\\Storage Card\\palimoor.exe");
    Settings settings;
    ASSERT_TRUE(parseOptions(settings, L"Palimoor", parts.file, parts.parameters));
    EXPECT_EQ(settings.section, L"メール 2");
    EXPECT_EQ(settings.inifile, L"rules.ini");
    EXPECT_EQ(composeCeShortcutText(L"\"\\a.exe\" x"), L"10#\"\\a.exe\" x");
}

// What palimoor.exe makes of a command line, and what a rule writer should know.
TEST(CtlCheckCommandLine, SaysWhatTheProgramDoesWithIt) {
    fakeSystem.reset();
    fakeSystem.files[L"\\P\\rules.ini"] = "[AfterNotepad]\nclass=Notepad\n[After Notepad]\n"
                                          "class=Notepad\n";
    fakeSystem.files[L"\\P\\palimoorParam.txt"] = "-showicon=maybe\n";
    struct Case {
        std::wstring commandLine;
        int code;
        std::vector<std::wstring> parts; // of the output, each
    } cases[] = {
        {L"-inifile=rules.ini -section=AfterNotepad",
         0,
         {L"  rule file:      /P/rules.ini\n", L"  section:        \"AfterNotepad\"\n",
          L"(command line): warning: the parameter file has a refused line; palimoor.exe shows "
          L"this box and goes on [ パラメータ不正]"}},
        {L"-inifile=rules.ini -section=AfterNotepad -debug=TRUE",
         1,
         {L"  section:        \"AfterNotepad -debug=TRUE\"\n",
          L"an option after -section= is part of the section name",
          L"section [AfterNotepad -debug=TRUE] not found; did you mean [AfterNotepad]?"}},
        {L"-inifile=rules.ini -section=\"After Notepad\"",
         1,
         {L"the quotes are part of the section name \"\\\"After Notepad\\\"\""}},
        {L"-inifile=C:\\P\\rules.ini -section=AfterNotepad",
         1,
         {L"  rule file:      /P/C:/P/rules.ini (not there)\n",
          L"-inifile=C:\\P\\rules.ini is joined onto palimoor.exe's folder",
          L"the rule file is not there"}},
        {L"-debug -Section=A --debug=TRUE -inifile=rules.ini -section=AfterNotepad",
         0,
         {L"palimoor.exe ignores \"-debug\": it is none of its options",
          L"palimoor.exe ignores \"-Section=A\": only \"-section=\" in lower case",
          L"palimoor.exe ignores \"--debug=TRUE\""}},
        {L"-debug=yes -section=AfterNotepad",
         1,
         {L"(command line): error: palimoor.exe refuses an option: it shows this box and ends "
          L"with exit code 1 [ パラメータ不正]"}},
        {L"-inifile=rules.ini", 1, {L"no -section=", L"section [] not found"}},
        // A section's name without -section= is no option.
        {L"-inifile=rules.ini AfterNotepad",
         1,
         {L"palimoor.exe ignores \"AfterNotepad\"; to name that section, write "
          L"-section=AfterNotepad"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine.begin(), c.commandLine.end()));
        const CtlRun run = ctl({L"check", L"--command-line", c.commandLine, L"--exe", kExe});
        EXPECT_EQ(run.code, c.code);
        for (const std::wstring& part : c.parts)
            EXPECT_TRUE(contains(run.out, part)) << testing::PrintToString(run.out);
    }
    // Warnings about the command line are problems too.
    const CtlRun ignored =
        ctl({L"check", L"--command-line", L"-debug -inifile=rules.ini -section=AfterNotepad",
             L"--exe", kExe});
    EXPECT_FALSE(contains(ignored.out, L"no problems"));
    EXPECT_TRUE(fakeSystem.boxes.empty());
}

} // namespace
