#include "options/command_line.h"
#include "tests/unit/fake_system.h"
#include <gtest/gtest.h>

namespace {

using Tokens = std::vector<std::wstring>;

Settings parsed(const std::wstring& commandLine, bool* ok = nullptr) {
    Settings settings;
    const bool result = parseOptions(settings, L"Palimoor",
                                     L"\\Program Files\\Palimoor\\Palimoor.exe", commandLine);
    if (ok)
        *ok = result;
    return settings;
}

class CommandLine : public ::testing::Test {
  protected:
    void SetUp() override { fakeSystem.reset(); }
};

TEST(SplitTokens, SeparatorRunsQuotesAndUnclosedQuotes) {
    EXPECT_EQ(splitTokens(L"", L" \t"), Tokens{});
    EXPECT_EQ(splitTokens(L" \t  ", L" \t"), Tokens{});
    EXPECT_EQ(splitTokens(L"  a \t\tb  ", L" \t"), (Tokens{L"a", L"b"}));
    EXPECT_EQ(splitTokens(L"-inifile=\"\\My Documents\\r.ini\" x", L" \t"),
              (Tokens{L"-inifile=\"\\My Documents\\r.ini\"", L"x"}));
    EXPECT_EQ(splitTokens(L"a\"b c\"d e", L" \t"), (Tokens{L"a\"b c\"d", L"e"}));
    EXPECT_EQ(splitTokens(L"a \"b c", L" \t"), (Tokens{L"a", L"\"b c"}));
    // The ideographic space separates nothing on the command line.
    EXPECT_EQ(splitTokens(L"a\u3000b", L" \t"), Tokens{L"a\u3000b"});
}

TEST(StripQuotes, LeadingQuoteDecides) {
    EXPECT_EQ(stripQuotes(L"\"abc\""), L"abc");
    EXPECT_EQ(stripQuotes(L"\"abc"), L"abc");
    EXPECT_EQ(stripQuotes(L"abc\""), L"abc\"");
    EXPECT_EQ(stripQuotes(L"\""), L"");
    EXPECT_EQ(stripQuotes(L""), L"");
}

TEST_F(CommandLine, SectionTakesTheRestOfTheLineVerbatim) {
    Settings s = parsed(L"-inifile=rules.ini -section=Morning Walk");
    EXPECT_EQ(s.inifile, L"rules.ini");
    EXPECT_EQ(s.section, L"Morning Walk");
    EXPECT_EQ(s.windowTitle, L"[Morning Walk]");
    EXPECT_EQ(s.appName, L"Palimoor");

    s = parsed(L"-section=A -debug=TRUE");
    EXPECT_EQ(s.section, L"A -debug=TRUE");
    EXPECT_FALSE(s.debug);

    // The search ignores quoting and letter case counts.
    s = parsed(L"\"-inifile=a -section=B\"");
    EXPECT_EQ(s.section, L"B\"");
    s = parsed(L"-SECTION=A");
    EXPECT_EQ(s.section, L"");
    EXPECT_EQ(s.windowTitle, L"[]");
}

TEST_F(CommandLine, EmptyLineGivesDefaults) {
    bool ok = false;
    const Settings s = parsed(L"", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(s.execmode, ExecMode::TOGGLE);
    EXPECT_FALSE(s.showtask);
    EXPECT_TRUE(s.showicon);
    EXPECT_FALSE(s.debug);
    EXPECT_EQ(s.section, L"");
    EXPECT_EQ(s.windowTitle, L"[]");
    EXPECT_TRUE(fakeSystem.boxes.empty());
}

TEST_F(CommandLine, OptionNamesAndValuesIgnoreCaseButNotBlanks) {
    EXPECT_TRUE(parsed(L"-Debug=true").debug);
    EXPECT_TRUE(parsed(L"-DEBUG=True -showtask=TRUE").showtask);
    EXPECT_FALSE(parsed(L"-showicon=false").showicon);
    EXPECT_EQ(parsed(L"-execmode=resetopen").execmode, ExecMode::OPENRESET);
    EXPECT_EQ(parsed(L"-execmode=OPENRESET").execmode, ExecMode::OPENRESET);
    EXPECT_EQ(parsed(L"-execmode=Toggle").execmode, ExecMode::TOGGLE);
    EXPECT_EQ(parsed(L"-execmode=closepostfix").execmode, ExecMode::CLOSEPOSTFIX);
    // No equals sign: no option at all.
    EXPECT_FALSE(parsed(L"-debug TRUE").debug);
    EXPECT_TRUE(fakeSystem.boxes.empty());
}

TEST_F(CommandLine, LaterTokenWins) {
    EXPECT_FALSE(parsed(L"-debug=TRUE -debug=FALSE").debug);
    EXPECT_EQ(parsed(L"-inifile=a.ini -inifile=b.ini").inifile, L"b.ini");
}

TEST_F(CommandLine, RejectedValueShowsBoxAndStopsParsing) {
    bool ok = true;
    const Settings s = parsed(L"-debug=yes -showtask=TRUE", &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(s.showtask); // tokens after the rejected one are not applied
    ASSERT_EQ(fakeSystem.boxes.size(), 1u);
    EXPECT_EQ(fakeSystem.boxes[0].text, L" パラメータ不正\n-debug=yes");
    EXPECT_EQ(fakeSystem.boxes[0].caption, L""); // the program name is not set yet
    EXPECT_EQ(fakeSystem.boxes[0].style, 0u);
    EXPECT_EQ(fakeSystem.boxes[0].owner, nullptr);

    fakeSystem.reset();
    parsed(L"-execmode=bogus", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(fakeSystem.texts(), std::vector<std::wstring>{L" パラメータ不正\n-execmode=bogus"});

    fakeSystem.reset();
    parsed(L"-debug=TRUE ", &ok); // the trailing blank separates, so this passes
    EXPECT_TRUE(ok);
    parsed(L"\"-debug=TRUE \"", &ok); // a quoted trailing blank does not
    EXPECT_FALSE(ok);
}

TEST_F(CommandLine, QuotedIniFileForms) {
    EXPECT_EQ(parsed(L"\"-inifile=\\My Documents\\r.ini\"").inifile, L"\\My Documents\\r.ini");
    EXPECT_EQ(parsed(L"-inifile=\"\\My Documents\\r.ini\"").inifile, L"\\My Documents\\r.ini");
    EXPECT_EQ(parsed(L"-inifile=").inifile, L"");
    EXPECT_EQ(parsed(L"-inifile=\"").inifile, L"");
}

TEST_F(CommandLine, FirstParamFileOnlyAndNeverAsOption) {
    fakeSystem.files[L"\\Program Files\\Palimoor\\one.txt"] = "-showtask=TRUE\n";
    fakeSystem.files[L"\\Program Files\\Palimoor\\two.txt"] = "-showicon=FALSE\n";
    const Settings s = parsed(L"-paramfile=one.txt -paramfile=two.txt");
    EXPECT_EQ(s.paramfile, L"one.txt");
    EXPECT_TRUE(s.showtask);
    EXPECT_TRUE(s.showicon);
    EXPECT_EQ(parsed(L"-paramfile=\"one.txt\"").paramfile, L"one.txt");
}

TEST_F(CommandLine, ParamFileBoxComesBeforeCommandLineBox) {
    fakeSystem.files[L"\\Program Files\\Palimoor\\PalimoorParam.txt"] = "-showicon=maybe\n";
    bool ok = true;
    parsed(L"-debug=yes", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(fakeSystem.texts(), (std::vector<std::wstring>{L" パラメータ不正\n-showicon=maybe",
                                                             L" パラメータ不正\n-debug=yes"}));
}

} // namespace
