// Reading a leading decimal number the way "%d" reads one: white space
// skipped, an optional sign, at least one digit, the rest ignored.
#pragma once
#include <cstdint>
#include <string>

// False when no digit follows, or the number leaves the signed 32-bit range.
bool readLeadingInt32(const std::wstring& text, size_t from, std::int32_t& value);
// As above, but a number beyond the range is held at its nearest end instead
// of being refused: a pause of 3000000000 ms is still a pause.
bool readLeadingClampedInt32(const std::wstring& text, size_t from, std::int32_t& value);
// Where the number that the two above read from `from` ends: just past its
// last digit; npos when no number begins there.
size_t numberEnd(const std::wstring& text, size_t from);
