#include "base/reporter.h"
#include "rules/rule.h"
#include "tests/unit/fake_system.h"
#include <gtest/gtest.h>

namespace {

TEST(Reporter, ShowsOnlyWhenEnabledWithForegroundOwner) {
    fakeSystem.reset();
    Reporter reporter(nullptr, true);
    EXPECT_TRUE(reporter.setEnabled(false));
    reporter.show(L"hidden", 16);
    EXPECT_TRUE(fakeSystem.boxes.empty());
    EXPECT_FALSE(reporter.setEnabled(true));

    int window = 0;
    fakeSystem.foreground = &window;
    reporter.show(L"text", L"cap", 16);
    fakeSystem.foreground = nullptr;
    reporter.show(L"text2", 0);
    ASSERT_EQ(fakeSystem.boxes.size(), 2u);
    EXPECT_EQ(fakeSystem.boxes[0].owner, &window);
    EXPECT_EQ(fakeSystem.boxes[0].style, 16u);
    EXPECT_EQ(fakeSystem.boxes[1].owner, nullptr);
    EXPECT_EQ(fakeSystem.boxes[1].caption, L"");
}

TEST(Reporter, CaptionSwapAndCopies) {
    Reporter reporter;
    EXPECT_EQ(reporter.setCaption(L"first"), L"");
    EXPECT_EQ(reporter.setCaption(L"second"), L"first");
    Reporter copy = reporter;
    const Reporter& alias = copy;
    copy = alias; // assigning an object to itself changes nothing
    EXPECT_EQ(copy.caption(), L"second");
    copy.setCaption(L"changed");
    EXPECT_EQ(reporter.caption(), L"second");
}

TEST(Reporter, RuleSpeaksWithTheProcessReporter) {
    fakeSystem.reset();
    Rule rule;
    rule.show(L"before assignment", 0); // a fresh rule reports nothing
    Reporter reporter(nullptr, true);
    reporter.setCaption(L"Palimoor [Mail]");
    rule.assignReporter(reporter);
    rule.show(L"after", 0);
    ASSERT_EQ(fakeSystem.boxes.size(), 1u);
    EXPECT_EQ(fakeSystem.boxes[0].caption, L"Palimoor [Mail]");
}

} // namespace
