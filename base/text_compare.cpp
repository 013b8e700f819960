#include "base/text_compare.h"

wchar_t foldAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && startsWithIgnoreCase(a, b);
}

bool startsWithIgnoreCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (foldAscii(text[i]) != foldAscii(prefix[i]))
            return false;
    }
    return true;
}

bool endsWith(const std::wstring& text, const std::wstring& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
