#include "rules/text_file.h"
#include <cstdint>
#include <cstring>

namespace {

void appendCodePoint(std::wstring& out, std::uint32_t cp) {
    if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

// Decodes one UTF-8 sequence at `i`; false when it is malformed (overlong,
// surrogate, beyond U+10FFFF or cut short).
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
        return false;
    }
    if (size - i < length)
        return false;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    i += length;
    return true;
}

bool decodeUtf8(const char* bytes, size_t size, std::wstring& out) {
    out.clear();
    out.reserve(size);
    for (size_t i = 0; i < size;) {
        std::uint32_t cp;
        if (!nextUtf8(bytes, size, i, cp))
            return false;
        appendCodePoint(out, cp);
    }
    return true;
}

std::wstring decodeUtf16(const char* bytes, size_t size, bool bigEndian) {
    std::wstring out;
    out.reserve(size / 2);
    for (size_t i = 2; i + 1 < size; i += 2) {
        const unsigned a = static_cast<unsigned char>(bytes[i]);
        const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
        std::uint32_t unit = bigEndian ? (a << 8 | b) : (b << 8 | a);
        // Pair surrogates where wide characters are 32 bits wide.
        if (sizeof(wchar_t) == 4 && unit >= 0xD800 && unit < 0xDC00 && i + 3 < size) {
            const unsigned c = static_cast<unsigned char>(bytes[i + 2]);
            const unsigned d = static_cast<unsigned char>(bytes[i + 3]);
            const std::uint32_t low = bigEndian ? (c << 8 | d) : (d << 8 | c);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        out.push_back(static_cast<wchar_t>(unit));
    }
    return out;
}

bool startsWithBytes(const char* bytes, size_t size, const char* mark, size_t length) {
    return size >= length && std::memcmp(bytes, mark, length) == 0;
}

std::wstring decodeText(const char* bytes, size_t size) {
    if (startsWithBytes(bytes, size, "\xFF\xFE", 2))
        return decodeUtf16(bytes, size, false);
    if (startsWithBytes(bytes, size, "\xFE\xFF", 2))
        return decodeUtf16(bytes, size, true);
    if (startsWithBytes(bytes, size, "\xEF\xBB\xBF", 3)) {
        bytes += 3;
        size -= 3;
    }
    std::wstring text;
    if (decodeUtf8(bytes, size, text))
        return text;
    return decodeAnsiCodePage(bytes, size);
}

} // namespace

std::vector<std::wstring> decodeTextLines(const char* bytes, size_t size) {
    const std::wstring text = decodeText(bytes, size);
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        const size_t next = end == std::wstring::npos ? text.size() : end + 1;
        if (end == std::wstring::npos)
            end = text.size();
        size_t length = end - start;
        if (next != end && length > 0 && text[end - 1] == L'\r')
            --length;
        lines.emplace_back(text, start, length);
        start = next;
    }
    return lines;
}

bool readTextLines(const std::wstring& path, std::vector<std::wstring>& lines) {
    std::vector<char> bytes;
    if (!readFileBytes(path, bytes))
        return false;
    lines = decodeTextLines(bytes.data(), bytes.size());
    return true;
}
