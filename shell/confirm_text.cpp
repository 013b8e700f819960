#include "shell/confirm_text.h"

std::wstring fitWithTail(const std::wstring& head, const std::wstring& tail, size_t capacity) {
    const size_t room = capacity - 1;
    if (tail.size() >= room)
        return tail.substr(0, room);
    return head.substr(0, room - tail.size()) + tail;
}

std::wstring confirmCaption(const std::wstring& appName) {
    return fitWithTail(appName, L" 終了確認", kConfirmCaptionChars);
}

std::wstring confirmQuestion(const std::wstring& windowTitle) {
    return fitWithTail(windowTitle, L"\n終了しますか？", kConfirmQuestionChars);
}
