#include "ctl/io/shown_text.h"
#include <cstdint>

namespace {

const wchar_t* const kHex = L"0123456789abcdef";

void appendEscaped(std::wstring& out, std::uint32_t unit) {
    if (unit > 0xFFFF) { // only where wide characters are 32 bits: as two UTF-16 units
        appendEscaped(out, 0xD800 + ((unit - 0x10000) >> 10));
        appendEscaped(out, 0xDC00 + ((unit - 0x10000) & 0x3FF));
        return;
    }
    out += L"\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
}

} // namespace

bool isInvisible(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x034F || c == 0x061C ||
           c == 0x115F || c == 0x1160 || c == 0x17B4 || c == 0x17B5 || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0x3164 || (c >= 0xD800 && c <= 0xDFFF) ||
           (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
           (c >= 0xFFF0 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE0FFF) || c > 0x10FFFF;
}

namespace {

// Escapes the hidden characters; `named` gives tab, CR and LF their short form
// and a double quote its backslash, `json` a backslash its own too.
std::wstring escape(const std::wstring& text, bool named, bool json) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        const std::uint32_t unit = static_cast<std::uint32_t>(c);
        if (unit >= 0x20 && unit < 0x7F && c != L'"' && c != L'\\') { // most of any text
            out += c;
        } else if ((named && c == L'"') || (json && c == L'\\')) {
            out += L'\\';
            out += c;
        } else if (named && c == L'\t') {
            out += L"\\t";
        } else if (named && c == L'\r') {
            out += L"\\r";
        } else if (named && c == L'\n') {
            out += L"\\n";
        } else if (isInvisible(unit)) {
            appendEscaped(out, unit);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::wstring visible(const std::wstring& text) {
    return escape(text, false, false);
}

std::wstring quoted(const std::wstring& text) {
    return L"\"" + escape(text, true, false) + L"\"";
}

std::wstring jsonString(const std::wstring& text) {
    return L"\"" + escape(text, true, true) + L"\"";
}
