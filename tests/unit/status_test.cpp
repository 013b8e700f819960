// What a waiting instance tells palimoorctl status: the record read whole
// while it is written, the requests it answers, and the sentence made of it.
#include "ctl/observed/status_words.h"
#include "shell/status_record.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

namespace {

// One thread looks and writes, another answers and reads: every read is one
// look, never half of two.
TEST(SharedLook, ReadsAreNeverTorn) {
    SharedLook shared;
    std::atomic<bool> done{false};
    std::thread looker([&] {
        for (std::uint32_t i = 1; i <= 200000; ++i)
            shared.write({i, i, i, i, i});
        done = true;
    });
    std::uint32_t reads = 0, last = 0;
    while (!done || reads == 0) {
        const LookSeen seen = shared.read();
        ASSERT_TRUE(seen.looks == seen.lastLook && seen.looks == seen.window &&
                    seen.looks == seen.front && seen.looks == seen.inFront);
        ASSERT_GE(seen.looks, last); // and never older than one read before
        last = seen.looks;
        ++reads;
    }
    looker.join();
    EXPECT_EQ(shared.read().looks, 200000u);
}

TEST(StatusRequest, OnlyAWellFormedRequestOfThisVersion) {
    const StatusRequest good = {kStatusRequestTag, kStatusVersion, 0x1234};
    EXPECT_TRUE(isStatusRequest(kStatusRequestTag, &good, sizeof good));
    const StatusRequest wrongs[] = {{0, kStatusVersion, 0x1234},
                                    {kStatusRequestTag, kStatusVersion + 1, 0x1234},
                                    {kStatusRequestTag, kStatusVersion, 0}};
    for (const StatusRequest& wrong : wrongs)
        EXPECT_FALSE(isStatusRequest(kStatusRequestTag, &wrong, sizeof wrong));
    EXPECT_FALSE(isStatusRequest(kStatusAnswerTag, &good, sizeof good));
    EXPECT_FALSE(isStatusRequest(kStatusRequestTag, &good, sizeof good - 1));
    EXPECT_FALSE(isStatusRequest(kStatusRequestTag, &good, sizeof good + 4));
    EXPECT_FALSE(isStatusRequest(kStatusRequestTag, nullptr, sizeof good));
}

InstanceStatus mail(TriggerState trigger, std::uint32_t window, bool inFront) {
    InstanceStatus status{};
    status.section = L"Mail";
    status.record.trigger = static_cast<std::int32_t>(trigger);
    status.record.look.window = window;
    status.record.look.front = inFront ? window : 0x99;
    status.record.look.inFront = inFront;
    status.ruleRead = true;
    status.rule.title = L"Inbox - Mozilla Thunderbird";
    status.window = {window != 0, L"MozillaWindowClass", L"Inbox - Mozilla Thunderbird",
                     L"thunderbird.exe", false, false};
    status.front = {true, L"Notepad", L"Untitled - Notepad", L"notepad.exe", false, false};
    return status;
}

// The one sentence, for each trigger and where the window is.
TEST(StatusWords, WhatItWaitsForAndWhyThatHasNotHappened) {
    const std::wstring mailWindow = L"\"Inbox - Mozilla Thunderbird\"";
    struct Case {
        TriggerState trigger;
        std::uint32_t window;
        bool inFront;
        std::wstring sentence;
    } cases[] = {
        {TriggerState::active, 0x10, false,
         L"waits for " + mailWindow + L" to come to the front; it is there, behind "
                                      L"\"Untitled - Notepad\""},
        {TriggerState::active, 0, false,
         L"waits for " + mailWindow + L" to come to the front; none is there yet"},
        {TriggerState::inactive, 0x10, true,
         L"waits for " + mailWindow + L" to leave the front; it is there, in front"},
        {TriggerState::running, 0, false, L"waits for " + mailWindow + L" to appear; none is there yet"},
        {TriggerState::not_active, 0x10, true,
         L"waits for " + mailWindow + L" to go or leave the front; it is there, in front"},
        {TriggerState::not_inactive, 0x10, false,
         L"waits for " + mailWindow + L" to go or come to the front; it is there, behind "
                                      L"\"Untitled - Notepad\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.trigger));
        EXPECT_EQ(waitsFor(mail(c.trigger, c.window, c.inFront)), c.sentence);
    }
    InstanceStatus program = mail(TriggerState::closed, 0x10, false);
    program.record.processWatch = 1;
    program.rule = Rule();
    program.rule.process = L"thunderbird.exe";
    EXPECT_EQ(waitsFor(program),
              L"waits for the program of thunderbird.exe's main window to end; its window is "
              L"there");
    InstanceStatus unread = mail(TriggerState::active, 0, false);
    unread.ruleRead = false; // its rule file changed since
    EXPECT_EQ(waitsFor(unread), L"waits for its window to come to the front; none is there yet");
}

TEST(StatusWords, TimeoutAndEventsInTheDetails) {
    InstanceStatus status = mail(TriggerState::active, 0x10, false);
    status.record.now = 100000;
    status.record.waitingSince = 100000 - 72000;
    status.record.timeoutLeft = 12300;
    status.record.listening = 0;
    status.record.shedUntil = 100000 + 35000;
    status.record.stormEvents = 212;
    const std::wstring text = statusText(status);
    EXPECT_NE(text.find(L"waiting:  for 1 min 12 s"), std::wstring::npos);
    EXPECT_NE(text.find(L"timeout:  ontimeout in 12.3 s"), std::wstring::npos);
    EXPECT_NE(text.find(L"events:   shed until +35.0 s (a storm: 212 events in 2 s)"),
              std::wstring::npos);
    status.record.timeoutLeft = -1;
    EXPECT_NE(statusText(status).find(L"timeout:  no timeout"), std::wstring::npos);
    EXPECT_EQ(durationText(800), L"800 ms");
}

} // namespace
