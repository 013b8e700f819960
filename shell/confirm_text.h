// The exit confirmation's texts, each cut to its fixed buffer.
#pragma once
#include <string>

constexpr size_t kConfirmCaptionChars = 128;  // terminator included
constexpr size_t kConfirmQuestionChars = 256; // terminator included

// `head` followed by `tail`, the head cut so that the whole fits `capacity`
// characters with its terminating zero.
std::wstring fitWithTail(const std::wstring& head, const std::wstring& tail, size_t capacity);
std::wstring confirmCaption(const std::wstring& appName);
std::wstring confirmQuestion(const std::wstring& windowTitle);
