#include "base/text_hash.h"

std::uint64_t textHash(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (wchar_t c : text) {
        const std::uint32_t unit = static_cast<std::uint32_t>(c);
        // Where wide characters are 32 bits wide, as the UTF-16 pair Windows has.
        const bool pair = unit > 0xFFFF;
        const std::uint32_t units[2] = {pair ? 0xD800 + ((unit - 0x10000) >> 10) : unit,
                                        pair ? 0xDC00 + ((unit - 0x10000) & 0x3FF) : 0};
        for (size_t i = 0; i < (pair ? 2u : 1u); ++i) { // a NUL is a unit like any other
            const std::uint32_t u = units[i];
            hash = (hash ^ (u & 0xFF)) * 1099511628211ULL;
            hash = (hash ^ (u >> 8)) * 1099511628211ULL;
        }
    }
    return hash;
}
