// A 64-bit hash of a text that is the same on every platform.
#pragma once
#include <cstdint>
#include <string>

// FNV-1a over the text's UTF-16 code units, low byte first.
std::uint64_t textHash(const std::wstring& text);
