#include "rules/number_text.h"

namespace {
bool isScanSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x3000;
}
} // namespace

bool readLeadingInt32(const std::wstring& text, size_t from, std::int32_t& value) {
    size_t i = from;
    while (i < text.size() && isScanSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    const size_t firstDigit = i;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > 2147483648LL)
            return false;
    }
    if (i == firstDigit)
        return false;
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL)
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}
