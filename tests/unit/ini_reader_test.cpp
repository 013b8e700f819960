#include "rules/ini_reader.h"
#include "rules/rule_loader.h"
#include "tests/unit/fake_system.h"
#include <chrono>
#include <gtest/gtest.h>

namespace {

const std::wstring kModule = L"\\Program Files\\Tools\\launcher.exe";
const std::wstring kIni = L"\\Program Files\\Tools\\launcher.ini";

std::vector<std::wstring> keysOf(const std::vector<KeyValue>& kvs) {
    std::vector<std::wstring> keys;
    for (const auto& kv : kvs)
        keys.push_back(kv.key + L"=" + kv.value);
    return keys;
}

struct Loaded {
    bool ok;
    Rule rule;
};

Loaded load(const std::string& content, const std::wstring& section, bool debug,
            size_t outOfMemoryAfter = 0) {
    fakeSystem.reset();
    fakeSystem.files[kIni] = content;
    fakeSystem.outOfMemoryAfter = outOfMemoryAfter;
    Settings settings;
    settings.section = section;
    Reporter reporter(nullptr, debug);
    reporter.setCaption(L"Palimoor [" + section + L"]");
    Loaded loaded{false, Rule()};
    loaded.rule.assignReporter(reporter);
    loaded.ok = loadRule(kModule, settings, reporter, loaded.rule);
    return loaded;
}

TEST(IniPath, DefaultAndNamedFiles) {
    EXPECT_EQ(iniFilePath(kModule, L""), kIni);
    EXPECT_EQ(iniFilePath(kModule, L"rules.ini"), L"\\Program Files\\Tools\\rules.ini");
    EXPECT_EQ(iniFilePath(L"launcher", L""), L"\\launcher.ini");
    EXPECT_EQ(iniFilePath(kModule, L"\\abs.ini"), L"\\Program Files\\Tools\\\\abs.ini");
}

TEST(LineTests, BlankCommentHeaderAndKeyLines) {
    EXPECT_TRUE(isBlankOrComment(L""));
    EXPECT_TRUE(isBlankOrComment(L" \t\u3000"));
    EXPECT_TRUE(isBlankOrComment(L"\u3000\t # indented"));
    EXPECT_FALSE(isBlankOrComment(L"exec=a #b"));
    EXPECT_FALSE(isBlankOrComment(L"; not a comment"));

    EXPECT_TRUE(isSectionHeader(L"[]"));
    EXPECT_TRUE(isSectionHeader(L"[a=b]"));
    EXPECT_FALSE(isSectionHeader(L"["));
    EXPECT_FALSE(isSectionHeader(L" [Main]"));
    EXPECT_FALSE(isSectionHeader(L"[Main] "));

    KeyValue kv;
    EXPECT_TRUE(splitKeyValue(L"class = Viewer", kv));
    EXPECT_EQ(kv.key, L"class ");
    EXPECT_EQ(kv.value, L" Viewer");
    EXPECT_TRUE(splitKeyValue(L"exec=a=b", kv));
    EXPECT_EQ(kv.value, L"a=b");
    EXPECT_TRUE(splitKeyValue(L"exec=", kv));
    EXPECT_EQ(kv.value, L"");
    EXPECT_FALSE(splitKeyValue(L"=value", kv));
    EXPECT_FALSE(splitKeyValue(L"no equals", kv));
}

TEST(SectionCollection, EveryOccurrenceInFileOrderCaseSensitive) {
    const std::vector<std::wstring> lines = {
        L"before=ignored", L"[Main]",    L"class=A",     L"[main]",  L"class=lower",
        L" [Main]",        L"x=outside", L"[Other]",     L"class=B", L"[Main]",
        L"exec=1",         L"=skip",     L"no key line", L"[Main ]", L"exec=2"};
    EXPECT_EQ(keysOf(collectSectionKeys(lines, L"[Main]")),
              (std::vector<std::wstring>{L"class=A", L"exec=1"}));
    EXPECT_EQ(keysOf(collectSectionKeys({L"[]", L"a=1", L"[x]", L"b=2"}, L"[]")),
              std::vector<std::wstring>{L"a=1"});
}

TEST(LoadRule, MissingSectionShowsThreeBoxesInOrderWithDebug) {
    const Loaded loaded = load("[Other]\nclass=A\n", L"Mail", true);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(fakeSystem.texts(),
              (std::vector<std::wstring>{
                  L"INIファイル(" + kIni + L")", L"処理対象セクションが見つからない:\nMail",
                  L"INIファイル読み込み失敗\nファイル(" + kIni + L")\nセクション(Mail)"}));
    EXPECT_EQ(fakeSystem.boxes[2].caption, L"Palimoor [Mail]");
    EXPECT_EQ(fakeSystem.boxes[2].style, 0u);
}

TEST(LoadRule, WithoutDebugOnlyTheFailureBox) {
    Loaded loaded = load("[Mail]\n# only a comment\n", L"Mail", false);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(fakeSystem.texts(), std::vector<std::wstring>{L"INIファイル読み込み失敗\nファイル(" +
                                                            kIni + L")\nセクション(Mail)"});

    fakeSystem.reset();
    Settings settings;
    settings.section = L"Mail";
    Reporter reporter(nullptr, true);
    Rule rule;
    rule.assignReporter(reporter);
    EXPECT_FALSE(loadRule(kModule, settings, reporter, rule));
    EXPECT_EQ(fakeSystem.texts()[1], L"ファイルオープン失敗:\n" + kIni);
}

TEST(LoadRule, NoWindowNamedFailsAfterItsOwnMessage) {
    const Loaded loaded = load("[A]\nclass=Viewer\nclass=\n", L"A", true);
    EXPECT_FALSE(loaded.ok);
    ASSERT_EQ(fakeSystem.boxes.size(), 3u);
    EXPECT_EQ(fakeSystem.boxes[1].text, L"classとtitleが両方とも未指定です");
}

TEST(LoadRule, RunningOutOfMemoryIsALoadFailure) {
    // Past 10 bytes the read fails as an allocation would.
    EXPECT_FALSE(load("[Mail]\nclass=Viewer\n", L"Mail", false, 10).ok);
    ASSERT_EQ(fakeSystem.boxes.size(), 1u);
    EXPECT_EQ(fakeSystem.boxes[0].text,
              L"INIファイル読み込み失敗\nファイル(" + kIni + L")\nセクション(Mail)");
}

TEST(LoadRule, LongPathAndSectionAreNeverCut) {
    const std::wstring section(5000, L'S');
    Settings settings;
    settings.section = section;
    settings.inifile = std::wstring(4000, L'p') + L".ini";
    fakeSystem.reset();
    Reporter reporter(nullptr, true);
    Rule rule;
    rule.assignReporter(reporter);
    EXPECT_FALSE(loadRule(kModule, settings, reporter, rule));
    const std::wstring& last = fakeSystem.boxes.back().text;
    EXPECT_EQ(last.size(), std::wstring(L"INIファイル読み込み失敗\nファイル(").size() +
                               iniFilePath(kModule, settings.inifile).size() +
                               std::wstring(L")\nセクション(").size() + section.size() + 1);
    EXPECT_EQ(last.substr(last.size() - 5001), section + L")");
}

TEST(LoadRule, SameSectionTwiceAndLastLineWithoutLineFeed) {
    const Loaded loaded =
        load("[M]\r\nclass=A\r\nexec=1\r\n[N]\r\nexec=x\r\n[M]\r\nclass=B\r\nexec=2", L"M", false);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.rule.class_, L"B");
    EXPECT_EQ(loaded.rule.exec, (CommandList{L"1", L"2"}));
    EXPECT_TRUE(fakeSystem.boxes.empty());
}

TEST(LoadRule, JapaneseSectionInEveryEncoding) {
    const std::string utf8 = "[\xE3\x83\xA1\xE3\x83\xBC\xE3\x83\xAB]\nclass=\xE7\xAA\x93\n";
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : std::wstring(L"[メール]\r\nclass=窓\r\n")) {
        utf16.push_back(static_cast<char>(c & 0xFF));
        utf16.push_back(static_cast<char>(c >> 8));
    }
    for (const std::string& content : {utf8, "\xEF\xBB\xBF" + utf8, utf16}) {
        const Loaded loaded = load(content, L"メール", false);
        EXPECT_TRUE(loaded.ok);
        EXPECT_EQ(loaded.rule.class_, L"窓");
    }
}

TEST(LoadRule, LargeFileLoadsQuickly) {
    std::string content;
    for (int i = 0; i < 20000; ++i)
        content += "[S" + std::to_string(i) + "]\nclass=Window" + std::to_string(i) +
                   "\nexec=\\Windows\\program.exe|--some --long --arguments here\n" +
                   "# a comment line that pads the file\n\n";
    ASSERT_GT(content.size(), 2u * 1024 * 1024);
    const auto start = std::chrono::steady_clock::now();
    const Loaded loaded = load(content, L"S19999", false);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.rule.class_, L"Window19999");
    // Generous even under the sanitizers and the fuzzing instrumentation on a
    // busy machine, and far below what a reading that grows with the square of
    // the file would take; well under a second in a normal build.
    EXPECT_LT(elapsed, std::chrono::seconds(6));
}

} // namespace
