// Small text helpers for palimoorctl's output.
#pragma once
#include <string>

// The text in double quotes, with control characters made visible.
std::wstring quoted(const std::wstring& text);
// A JSON string literal (UTF-16 code units escaped as the format asks).
std::wstring jsonString(const std::wstring& text);
std::wstring trimBlanks(const std::wstring& text); // spaces, tabs, ideographic spaces
