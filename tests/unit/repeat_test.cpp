// Rules that keep watching: the repeat= key, what fires on which look, the
// history's records read back, and what check and explain say of them.
#include "ctl/history/history_words.h"
#include "ctl/observed/status_words.h"
#include "rules/rule_keys.h"
#include "tests/unit/ctl_run.h"
#include "tests/unit/fake_system.h"
#include "watch/repeat_edges.h"
#include "watch/window_match.h"
#include <gtest/gtest.h>

namespace {

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// Read as timeout is: a count of 1 or more, or "infinite" in any case.
TEST(RepeatKey, ACountOrInfinite) {
    struct Case {
        const wchar_t* value;
        std::int32_t repeat; // kRepeatOnce where refused
    } cases[] = {{L"3", 3},
                 {L"1", 1},
                 {L"INFINITE", kRepeatForever},
                 {L"2x", 2},
                 {L"0", kRepeatOnce},
                 {L"-1", kRepeatOnce},
                 {L"forever", kRepeatOnce},
                 {L"", kRepeatOnce}};
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.value));
        fakeSystem.reset();
        Rule rule;
        rule.assignReporter(Reporter(nullptr, true));
        applyRuleKeys(rule, {{L"class", L"X"}, {L"repeat", c.value}});
        EXPECT_EQ(rule.repeat, c.repeat);
        EXPECT_EQ(fakeSystem.boxes.size(), c.repeat == kRepeatOnce ? 1u : 0u);
    }
}

// Each look's windows meeting the trigger, and those that fire: only the new
// ones, a window that stays never again, one that comes back anew.
TEST(RepeatEdges, EachWindowFiresOnceWhileItStays) {
    using Keys = std::vector<WindowKey>;
    RepeatEdges edges;
    const std::vector<std::pair<Keys, Keys>> looks = {
        {{}, {}},  {{1}, {1}}, {{1}, {}},  {{1, 2}, {2}},       {{2, 1}, {}},
        {{2}, {}}, {{}, {}},   {{1}, {1}}, {{3, 1, 4}, {3, 4}},
    };
    for (const auto& look : looks)
        EXPECT_EQ(edges.newlyMeeting(look.first), look.second);
    const bool holds[] = {false, true, true, false, true, false};
    const bool fires[] = {false, true, false, false, true, false};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(edges.newlyHolds(holds[i]), fires[i]) << i;
}

TEST(RepeatEdges, TheStartByCheckAndTheCount) {
    EXPECT_EQ(repeatStart(CheckMode::change, false), RepeatStart::Watch);
    EXPECT_EQ(repeatStart(CheckMode::change, true), RepeatStart::OnUnmatchThenWatch);
    EXPECT_EQ(repeatStart(CheckMode::both, true), RepeatStart::FireThenWatch);
    EXPECT_EQ(repeatStart(CheckMode::both, false), RepeatStart::Watch);
    Rule rule;
    rule.repeat = 2;
    EXPECT_FALSE(firedEnough(rule, 1));
    EXPECT_TRUE(firedEnough(rule, 2));
    rule.repeat = kRepeatForever;
    EXPECT_FALSE(firedEnough(rule, 2147483647));
}

// Between two whole looks only the windows found to be the rule's, or not
// read, are asked again; an unread one is asked each time.
TEST(WindowVerdicts, CandidatesAreTheYesAndTheUnread) {
    WindowVerdicts verdicts;
    const Verdict said[] = {Verdict::No, Verdict::Yes, Verdict::Unread, Verdict::No};
    verdicts.beginLook();
    for (std::uintptr_t i = 0; i < 4; ++i)
        verdicts.judge(reinterpret_cast<const void*>(i + 1), [&] { return said[i]; });
    verdicts.endLook();
    std::vector<std::uintptr_t> seen;
    verdicts.eachCandidate([&](const void* window) {
        seen.push_back(reinterpret_cast<std::uintptr_t>(window));
        return true;
    });
    EXPECT_EQ(seen, (std::vector<std::uintptr_t>{3, 2}));
    int asked = 0;
    for (std::uintptr_t window : seen)
        verdicts.recheck(reinterpret_cast<const void*>(window), [&] {
            ++asked;
            return Verdict::Yes;
        });
    EXPECT_EQ(asked, 1);
}

// A record read back is the record written, whatever its texts hold; a line
// cut short or damaged is no record.
TEST(HistoryRecord, ReadBackAsWrittenAndDamageRefused) {
    HistoryRecord record;
    record.when = L"2026-12-10 18:40:12";
    record.lostBefore = 2;
    record.ruleFile = L"C:\\Rules\\tab\there.ini";
    record.section = L"Reminders";
    record.list = L"exec";
    record.why = ListReason::TimedOut;
    record.window = true;
    record.className = L"#32770";
    record.title = L"1 Reminder\r\n\\n";
    record.program = L"OUTLOOK.EXE";
    record.fired = 7;
    record.entries = {{L"topmost", EntryResult::Done, 0},
                      {L"nosuch.exe|a\tb", EntryResult::NotStarted, 2},
                      {L"notepad.exe", EntryResult::Started, 4242}};
    std::wstring line = historyLine(record);
    ASSERT_EQ(line.substr(line.size() - 2), L"\r\n");
    line.resize(line.size() - 2);
    HistoryRecord read;
    ASSERT_TRUE(readHistoryLine(line, read));
    EXPECT_EQ(historyLine(read), historyLine(record));
    EXPECT_EQ(read.title, record.title);
    const std::wstring damaged[] = {line.substr(0, line.find(L"nosuch") + 3),
                                    L"P2" + line.substr(2),
                                    line + L"\tx",
                                    L"",
                                    L"P1\t0",
                                    line.substr(0, line.find(L"topmost")) +
                                        L"topmost\t9\t0\tx\t5\t2\ty\t4\t1"};
    for (const std::wstring& text : damaged) {
        HistoryRecord refused;
        EXPECT_FALSE(readHistoryLine(text, refused)) << narrow(text);
    }
    std::vector<HistoryRecord> records;
    int unreadable = 0;
    readHistoryLines({line, L"", L"garbage", line}, records, unreadable);
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(unreadable, 1);
    const std::wstring text = historyText(read);
    for (const wchar_t* said : {L"(2 records before this one could not be written",
                                L"exec, as the wait timed out (fired 7 times)",
                                L"\"nosuch.exe|a\\tb\": not started: not found (error 2)",
                                L"\"notepad.exe\": started, process 4242"})
        EXPECT_TRUE(contains(text, said)) << narrow(text);
}

TEST(HistoryWords, LaunchErrorsNamedTheRestByNumber) {
    const std::pair<std::uint32_t, const wchar_t*> errors[] = {
        {2, L"not found (error 2)"},
        {5, L"access denied (error 5)"},
        {740, L"needs elevation (error 740)"},
        {1223, L"cancelled (error 1223)"},
        {4551, L"blocked by policy (error 4551)"},
        {31, L"Windows error 31"}};
    for (const auto& error : errors)
        EXPECT_EQ(launchErrorWords(error.first), error.second);
}

// check warns where repeat cannot work and notes the entries that became
// built-ins; explain says what a repeating rule does.
TEST(CheckRepeat, WarnedWhereItCannotWorkAndExplained) {
    fakeSystem.reset();
    fakeSystem.files[L"r.ini"] =
        "[Once]\nclass=X\nrepeat=3\nexec=topmost\n"
        "[Reminders]\nprocess=OUTLOOK.EXE\ntitle=Reminder\ntitlematch=contains\n"
        "trigger=running\ncheck=change\nrepeat=infinite\ntimeout=60000\nexec=sync topmost\n";
    const std::wstring out = ctl({L"check", L"r.ini"}).out;
    EXPECT_TRUE(contains(out, L"r.ini:3: warning: repeat has no effect: with check=current"))
        << narrow(out);
    EXPECT_TRUE(contains(out, L"r.ini:4: note: \"topmost\" is a built-in")) << narrow(out);
    EXPECT_TRUE(contains(out, L"r.ini:13: note: \"topmost\" is a built-in")) << narrow(out);
    EXPECT_FALSE(contains(out, L"r.ini:11: warning")) << narrow(out);
    const std::wstring said = ctl({L"explain", L"r.ini", L"Reminders"}).out;
    for (const wchar_t* part : {L"each window that newly meets it fires once",
                                L"A state that already holds at start runs onunmatch once",
                                L"a wait of 60000 ms without a change runs ontimeout and ends",
                                L"It never ends by itself"})
        EXPECT_TRUE(contains(said, part)) << narrow(said);
}

// status: how often a repeating rule has fired and when it last did.
TEST(StatusRepeat, LastFired) {
    const struct {
        std::int32_t repeat;
        std::uint32_t fired;
        const wchar_t* line; // nullptr: no such line
    } cases[] = {
        {0, 0, nullptr},
        {kRepeatForever, 0, L"  repeat:   infinite, fired 0 times; last fired: never yet\n"},
        {5, 3, L"  repeat:   5, fired 3 times; last fired: 4.2 s ago\n"}};
    for (const auto& c : cases) {
        InstanceStatus status{};
        status.record.repeat = c.repeat;
        status.record.fired = c.fired;
        status.record.now = 10000;
        status.record.lastFiredAt = 10000 - 4200;
        const std::wstring text = statusText(status);
        EXPECT_EQ(contains(text, L"repeat:"), c.line != nullptr) << narrow(text);
        if (c.line)
            EXPECT_TRUE(contains(text, c.line)) << narrow(text);
    }
}

} // namespace
