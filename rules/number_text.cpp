#include "rules/number_text.h"

namespace {

constexpr std::int64_t kLargest = 2147483647LL;
constexpr std::int64_t kPastSmallest = 2147483649LL; // any magnitude beyond -2147483648

bool isScanSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x3000;
}

// The signed number at `from`, its magnitude held at kPastSmallest so that
// no run of digits can overflow; false when no digit follows. `end` is where
// its digits end.
bool scanLeadingNumber(const std::wstring& text, size_t from, std::int64_t& value,
                       size_t* end = nullptr) {
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
        if (magnitude > kPastSmallest)
            magnitude = kPastSmallest;
    }
    if (i == firstDigit)
        return false;
    value = negative ? -magnitude : magnitude;
    if (end)
        *end = i;
    return true;
}

} // namespace

bool readLeadingInt32(const std::wstring& text, size_t from, std::int32_t& value) {
    std::int64_t number;
    if (!scanLeadingNumber(text, from, number) || number > kLargest || number < -kLargest - 1)
        return false;
    value = static_cast<std::int32_t>(number);
    return true;
}

bool readLeadingClampedInt32(const std::wstring& text, size_t from, std::int32_t& value) {
    std::int64_t number;
    if (!scanLeadingNumber(text, from, number))
        return false;
    if (number > kLargest)
        number = kLargest;
    if (number < -kLargest - 1)
        number = -kLargest - 1;
    value = static_cast<std::int32_t>(number);
    return true;
}

size_t numberEnd(const std::wstring& text, size_t from) {
    std::int64_t number;
    size_t end = std::wstring::npos;
    scanLeadingNumber(text, from, number, &end);
    return end;
}
