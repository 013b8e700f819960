#include "base/text_hash.h"

std::uint64_t textHash(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (wchar_t c : text) {
        const std::uint32_t unit = static_cast<std::uint32_t>(c);
        // Where wide characters are 32 bits wide, as the UTF-16 pair Windows has.
        const std::uint32_t units[2] = {unit > 0xFFFF ? 0xD800 + ((unit - 0x10000) >> 10) : unit,
                                        unit > 0xFFFF ? 0xDC00 + ((unit - 0x10000) & 0x3FF) : 0};
        for (std::uint32_t u : units) {
            if (u == 0)
                continue;
            hash = (hash ^ (u & 0xFF)) * 1099511628211ULL;
            hash = (hash ^ (u >> 8)) * 1099511628211ULL;
        }
    }
    return hash;
}
