#include "ctl/text_out.h"
#include <cstdint>

namespace {
const wchar_t* const kHex = L"0123456789abcdef";

std::wstring escapedUnit(std::uint32_t unit) {
    std::wstring out = L"\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
    return out;
}
} // namespace

std::wstring quoted(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'\t')
            out += L"\\t";
        else if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else if (static_cast<std::uint32_t>(c) < 0x20)
            out += escapedUnit(static_cast<std::uint32_t>(c));
        else
            out += c;
    }
    return out + L"\"";
}

std::wstring jsonString(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        const std::uint32_t unit = static_cast<std::uint32_t>(c);
        if (c == L'"' || c == L'\\') {
            out += L'\\';
            out += c;
        } else if (c == L'\n') {
            out += L"\\n";
        } else if (c == L'\r') {
            out += L"\\r";
        } else if (c == L'\t') {
            out += L"\\t";
        } else if (unit < 0x20 || (unit >= 0xD800 && unit < 0xE000)) {
            out += escapedUnit(unit); // a lone surrogate would not be valid UTF-8
        } else {
            out += c;
        }
    }
    return out + L"\"";
}

std::wstring trimBlanks(const std::wstring& text) {
    const wchar_t* const blanks = L" \t\u3000";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
