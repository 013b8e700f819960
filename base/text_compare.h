// Letter-case rules for option names, keywords and built-in words: only ASCII
// letters fold, which is all the program's keywords contain.
#pragma once
#include <string>

wchar_t foldAscii(wchar_t c);
bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b);
// True when `text` begins with `prefix`, letter case ignored over the prefix's length.
bool startsWithIgnoreCase(const std::wstring& text, const std::wstring& prefix);
bool endsWith(const std::wstring& text, const std::wstring& suffix);

// One entry of a keyword table: the word, letter case ignored, and what it selects.
template <typename T> struct Keyword {
    const wchar_t* word;
    T value;
};

// The first entry whose word equals the whole text; false when none does.
template <typename T, size_t N>
bool lookupKeyword(const std::wstring& text, const Keyword<T> (&table)[N], T& value) {
    for (const Keyword<T>& entry : table) {
        if (equalsIgnoreCase(text, entry.word)) {
            value = entry.value;
            return true;
        }
    }
    return false;
}
