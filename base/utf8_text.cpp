#include "base/utf8_text.h"
#include <cstdint>

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

void appendCodePoint(std::wstring& out, std::uint32_t cp) {
    if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

// Decodes one sequence at `i` and moves past it. When it is malformed it
// returns false and moves past the lead byte and the continuation bytes that
// belonged to it.
bool nextUtf8(const char* s, size_t size, size_t& i, std::uint32_t& cp) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    size_t length;
    std::uint32_t minimum;
    if (lead < 0x80) {
        cp = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return false;
    }
    size_t k = 1;
    for (; k < length && i + k < size && (byte(i + k) & 0xC0) == 0x80; ++k)
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    const bool whole = k == length;
    i += k;
    return whole && cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

} // namespace

bool isValidUtf8(const char* bytes, size_t size) {
    std::uint32_t cp;
    for (size_t i = 0; i < size;) {
        if (!nextUtf8(bytes, size, i, cp))
            return false;
    }
    return true;
}

bool isValidUtf8(const char* bytes, size_t size, size_t& multiByte, size_t& malformed) {
    bool valid = true;
    std::uint32_t cp;
    for (size_t i = 0; i < size;) {
        if (!nextUtf8(bytes, size, i, cp)) {
            valid = false;
            ++malformed;
        } else if (cp >= 0x80) {
            ++multiByte;
        }
    }
    return valid;
}

void decodeUtf8(const char* bytes, size_t size, std::wstring& out) {
    out.clear();
    out.reserve(size);
    std::uint32_t cp;
    for (size_t i = 0; i < size;)
        appendCodePoint(out, nextUtf8(bytes, size, i, cp) ? cp : kReplacement);
}

std::wstring decodeUtf8(const char* bytes, size_t size) {
    std::wstring out;
    decodeUtf8(bytes, size, out);
    return out;
}
