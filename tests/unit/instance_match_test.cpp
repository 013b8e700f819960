#include "shell/confirm_text.h"
#include "shell/instance_match.h"
#include <gtest/gtest.h>

namespace {

std::wstring closedBy(ExecMode mode, const std::wstring& pattern) {
    std::wstring closed;
    for (const wchar_t* section : {L"mail", L"mail2", L"mailbox", L"gmail"}) {
        if (instanceMatches(mode, pattern, section))
            closed += std::wstring(closed.empty() ? L"" : L" ") + section;
    }
    return closed;
}

TEST(InstanceMatch, PrefixInfixPostfixAreCaseSensitive) {
    EXPECT_EQ(closedBy(ExecMode::CLOSEPREFIX, L"mail"), L"mail mail2 mailbox");
    EXPECT_EQ(closedBy(ExecMode::CLOSEINFIX, L"mail"), L"mail mail2 mailbox gmail");
    EXPECT_EQ(closedBy(ExecMode::CLOSEPOSTFIX, L"mail"), L"mail gmail");
    for (ExecMode mode : {ExecMode::CLOSEPREFIX, ExecMode::CLOSEINFIX, ExecMode::CLOSEPOSTFIX})
        EXPECT_EQ(closedBy(mode, L"Mail"), L"");
    EXPECT_EQ(closedBy(ExecMode::CLOSEALL, L"anything"), L"mail mail2 mailbox gmail");
    for (ExecMode mode : {ExecMode::CLOSEPREFIX, ExecMode::CLOSEINFIX, ExecMode::CLOSEPOSTFIX})
        EXPECT_EQ(closedBy(mode, L""), L"mail mail2 mailbox gmail");
    EXPECT_EQ(closedBy(ExecMode::RESET, L"mail"), L"");
    EXPECT_FALSE(instanceMatches(ExecMode::CLOSEPREFIX, L"mailbox", L"mail"));
}

TEST(InstanceMatch, SectionOfTitle) {
    EXPECT_EQ(sectionOfTitle(L"[mail]"), L"mail");
    EXPECT_EQ(sectionOfTitle(L"[]"), L"");
    EXPECT_EQ(sectionOfTitle(L"["), L"");
    EXPECT_EQ(sectionOfTitle(L""), L"");
    // A title cut at 255 characters loses its closing bracket, and so one more character.
    const std::wstring cut = L"[" + std::wstring(254, L'x');
    EXPECT_EQ(sectionOfTitle(cut), std::wstring(253, L'x'));
}

TEST(ConfirmText, ExactTextsAndBoundedBuffers) {
    EXPECT_EQ(confirmCaption(L"Palimoor"), L"Palimoor 終了確認");
    EXPECT_EQ(confirmQuestion(L"[Mail]"), L"[Mail]\n終了しますか？");
    const std::wstring longTitle = L"[" + std::wstring(1000, L'x') + L"]";
    const std::wstring question = confirmQuestion(longTitle);
    EXPECT_EQ(question.size(), kConfirmQuestionChars - 1);
    EXPECT_EQ(question.substr(question.size() - 8), L"\n終了しますか？");
    EXPECT_EQ(confirmCaption(std::wstring(500, L'P')).size(), kConfirmCaptionChars - 1);
    EXPECT_EQ(fitWithTail(L"head", std::wstring(300, L't'), 10), std::wstring(9, L't'));
}

} // namespace

namespace {

TEST(StartLock, ReadableShortNamesHashedLongOrBackslashedOnes) {
    EXPECT_EQ(startLockName(L"Mail"), L"Palimoor.start.Mail");
    EXPECT_EQ(startLockName(L""), L"Palimoor.start.");
    const std::wstring longSection(5000, L'x');
    const std::wstring hashed[] = {startLockName(longSection), startLockName(longSection + L"y"),
                                   startLockName(L"a\\b"), startLockName(L"a\\c")};
    for (const std::wstring& name : hashed) {
        EXPECT_LE(name.size(), 259u);
        EXPECT_EQ(name.find(L'\\'), std::wstring::npos);
        EXPECT_EQ(name.compare(0, 16, L"Palimoor.start.#"), 0);
    }
    EXPECT_NE(hashed[0], hashed[1]);
    EXPECT_NE(hashed[2], hashed[3]);
    EXPECT_EQ(startLockName(L"a\\b"), hashed[2]); // the same section, the same lock
    // Case matters, as it does for sections.
    EXPECT_NE(startLockName(L"mail"), startLockName(L"Mail"));
}

} // namespace
