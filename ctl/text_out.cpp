#include "ctl/text_out.h"
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

bool isHidden(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x034F || c == 0x061C ||
           c == 0x115F || c == 0x1160 || c == 0x17B4 || c == 0x17B5 || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0x3164 || (c >= 0xD800 && c <= 0xDFFF) ||
           (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
           (c >= 0xFFF0 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE0FFF) || c > 0x10FFFF;
}

// Escapes the hidden characters; `named` gives tab, CR and LF their short form
// and a double quote its backslash, `json` a backslash its own too.
std::wstring escape(const std::wstring& text, bool named, bool json) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        const std::uint32_t unit = static_cast<std::uint32_t>(c);
        if ((named && c == L'"') || (json && c == L'\\')) {
            out += L'\\';
            out += c;
        } else if (named && c == L'\t') {
            out += L"\\t";
        } else if (named && c == L'\r') {
            out += L"\\r";
        } else if (named && c == L'\n') {
            out += L"\\n";
        } else if (isHidden(unit)) {
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

std::wstring trimBlanks(const std::wstring& text) {
    const wchar_t* const blanks = L" \t\u3000";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void JsonWriter::beforeValue() {
    if (afterKey_ || levels_.empty()) {
        afterKey_ = false;
        return;
    }
    Level& level = levels_.back();
    if (!level.empty)
        text_ += level.block ? L"," : L", ";
    if (level.block)
        text_ += L"\n" + std::wstring(2 * levels_.size(), L' ');
    level.empty = false;
}

JsonWriter& JsonWriter::open(wchar_t opening, bool block) {
    beforeValue();
    text_ += opening;
    levels_.push_back({opening == L'{' ? L'}' : L']', block, true});
    return *this;
}

JsonWriter& JsonWriter::close() {
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.block && !level.empty)
        text_ += L"\n" + std::wstring(2 * levels_.size(), L' ');
    text_ += level.closing;
    if (levels_.empty())
        text_ += L"\n";
    return *this;
}

JsonWriter& JsonWriter::key(const wchar_t* name) {
    beforeValue();
    text_ += jsonString(name) + L": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(const std::wstring& json) {
    beforeValue();
    text_ += json;
    return *this;
}

std::wstring JsonWriter::take() {
    std::wstring taken;
    taken.swap(text_);
    return taken;
}
