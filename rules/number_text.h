// Reading a leading decimal number the way "%d" reads one: white space
// skipped, an optional sign, at least one digit, the rest ignored.
#pragma once
#include <cstdint>
#include <string>

// False when no digit follows, or the number leaves the signed 32-bit range.
bool readLeadingInt32(const std::wstring& text, size_t from, std::int32_t& value);
