// Letter-case rules for option names, keywords and built-in words: only ASCII
// letters fold, which is all the program's keywords contain.
#pragma once
#include <string>

wchar_t foldAscii(wchar_t c);
bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b);
// True when `text` begins with `prefix`, letter case ignored over the prefix's length.
bool startsWithIgnoreCase(const std::wstring& text, const std::wstring& prefix);
bool endsWith(const std::wstring& text, const std::wstring& suffix);
