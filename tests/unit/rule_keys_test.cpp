#include "rules/rule_keys.h"
#include "tests/unit/fake_system.h"
#include <gtest/gtest.h>

namespace {

struct Applied {
    bool ok;
    Rule rule;
};

Applied apply(const std::vector<KeyValue>& keys) {
    fakeSystem.reset();
    Applied applied{false, Rule()};
    applied.rule.assignReporter(Reporter(nullptr, true));
    applied.ok = applyRuleKeys(applied.rule, keys);
    return applied;
}

TEST(RuleDefaults, OnlyClassGiven) {
    const Applied a = apply({{L"class", L"Viewer"}});
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.rule.check, CheckMode::current);
    EXPECT_EQ(a.rule.trigger, TriggerState::closed);
    EXPECT_EQ(a.rule.sleep, 0);
    EXPECT_EQ(a.rule.timeout, -1);
    EXPECT_EQ(a.rule.polling, 50);
    EXPECT_TRUE(a.rule.exec.empty() && a.rule.ontimeout.empty() && a.rule.onunmatch.empty());
    EXPECT_TRUE(fakeSystem.boxes.empty());
}

TEST(RuleKeys, KeywordsIgnoreCaseButMustBeWhole) {
    Applied a = apply({{L"title", L" T "},
                       {L"Check", L"BOTH"},
                       {L"TIMEOUT", L"Infinite"},
                       {L"trigger", L"Not_Inactive"}});
    EXPECT_EQ(a.rule.title, L" T ");
    EXPECT_EQ(a.rule.check, CheckMode::both);
    EXPECT_EQ(a.rule.timeout, -1);
    EXPECT_EQ(a.rule.trigger, TriggerState::not_inactive);

    a = apply({{L"title", L"T"}, {L"check", L" both"}, {L"trigger", L"running "}});
    EXPECT_EQ(a.rule.check, CheckMode::current);
    EXPECT_EQ(a.rule.trigger, TriggerState::closed);
    EXPECT_EQ(fakeSystem.texts(), (std::vector<std::wstring>{L"キー値不正\ncheck= both",
                                                             L"キー値不正\ntrigger=running "}));
}

TEST(RuleKeys, EveryTriggerKeyword) {
    const std::pair<const wchar_t*, TriggerState> cases[] = {
        {L"closed", TriggerState::closed},         {L"running", TriggerState::running},
        {L"active", TriggerState::active},         {L"inactive", TriggerState::inactive},
        {L"not_closed", TriggerState::not_closed}, {L"not_running", TriggerState::not_running},
        {L"not_active", TriggerState::not_active}, {L"not_inactive", TriggerState::not_inactive}};
    for (const auto& c : cases)
        EXPECT_EQ(apply({{L"title", L"T"}, {L"trigger", c.first}}).rule.trigger, c.second);
}

TEST(RuleKeys, NumbersReadLikeScanfWithRanges) {
    Applied a = apply(
        {{L"title", L"T"}, {L"polling", L"250ms"}, {L"sleep", L"0x10"}, {L"timeout", L"  +1"}});
    EXPECT_EQ(a.rule.polling, 250);
    EXPECT_EQ(a.rule.sleep, 0);
    EXPECT_EQ(a.rule.timeout, 1);
    EXPECT_TRUE(fakeSystem.boxes.empty());

    a = apply({{L"title", L"T"},
               {L"timeout", L"0"},
               {L"timeout", L"-2"},
               {L"sleep", L"-1"},
               {L"polling", L"0"},
               {L"polling", L"abc"},
               {L"polling", L""},
               {L"sleep", L"-"},
               {L"timeout", L"2147483648"},
               {L"polling", L"99999999999999999999"}});
    EXPECT_EQ(a.rule.timeout, -1);
    EXPECT_EQ(a.rule.sleep, 0);
    EXPECT_EQ(a.rule.polling, 50);
    EXPECT_EQ(fakeSystem.boxes.size(), 10u - 1);
    EXPECT_EQ(fakeSystem.boxes[0].text, L"キー値不正\ntimeout=0");

    a = apply({{L"title", L"T"},
               {L"timeout", L"5000"},
               {L"timeout", L"-1"},
               {L"sleep", L"0"},
               {L"polling", L"2147483647"}});
    EXPECT_EQ(a.rule.timeout, -1);
    EXPECT_EQ(a.rule.polling, 2147483647);
}

TEST(RuleKeys, UnknownKeysAndBlanksAroundEquals) {
    const Applied a = apply({{L"class ", L" Viewer"}, {L"title", L"T"}, {L"colour", L"red"}});
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.rule.class_, L"");
    EXPECT_EQ(fakeSystem.texts(), (std::vector<std::wstring>{L"キー名称不正\nclass = Viewer",
                                                             L"キー名称不正\ncolour=red"}));
}

TEST(RuleKeys, ListsAppendScalarsReplace) {
    const Applied a = apply({{L"exec", L"a"},
                             {L"EXEC", L""},
                             {L"class", L"C"},
                             {L"exec", L"a"},
                             {L"onunmatch", L"u"},
                             {L"ontimeout", L"t"},
                             {L"class", L"D"}});
    EXPECT_EQ(a.rule.exec, (CommandList{L"a", L"", L"a"}));
    EXPECT_EQ(a.rule.onunmatch, CommandList{L"u"});
    EXPECT_EQ(a.rule.ontimeout, CommandList{L"t"});
    EXPECT_EQ(a.rule.class_, L"D");
}

// Keys beyond the handheld's: a program alone names a window; a title
// compared in part needs a title.
TEST(RuleKeys, ProcessAndTitleMatch) {
    Applied a = apply({{L"Process", L"notepad.exe"}, {L"TitleMatch", L"Contains"}});
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.rule.process, L"notepad.exe");
    EXPECT_EQ(a.rule.titlematch, TitleMatch::exact); // no title: refused at the end
    EXPECT_EQ(fakeSystem.texts(), std::vector<std::wstring>{L"キー値不正\nTitleMatch=Contains"});

    a = apply(
        {{L"titlematch", L"end"}, {L"title", L" - Mozilla Firefox"}, {L"titlematch", L"all"}});
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.rule.titlematch, TitleMatch::end);
    EXPECT_EQ(fakeSystem.texts(), std::vector<std::wstring>{L"キー値不正\ntitlematch=all"});

    a = apply({{L"titlematch", L"start"}, {L"title", L"T"}, {L"title", L""}, {L"class", L"C"}});
    EXPECT_EQ(a.rule.titlematch, TitleMatch::exact);
    EXPECT_EQ(fakeSystem.texts(), std::vector<std::wstring>{L"キー値不正\ntitlematch=start"});

    a = apply({{L"process", L""}}); // empty names nothing
    EXPECT_FALSE(a.ok);
}

TEST(RuleKeys, FinalCheckNeedsClassOrTitle) {
    Applied a = apply({{L"class", L"A"}, {L"class", L""}});
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(fakeSystem.texts(), std::vector<std::wstring>{L"classとtitleが両方とも未指定です"});
    EXPECT_TRUE(apply({{L"title", L" "}}).ok); // blanks count as set
}

} // namespace
