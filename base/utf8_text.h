// UTF-8 to wide text and back. Wide characters are UTF-16 on Windows and
// UTF-32 elsewhere; both come out right.
#pragma once
#include <string>

bool isValidUtf8(const char* bytes, size_t size);
// The same, and whether the bytes hold a well-formed sequence beyond ASCII
// (text that looks like UTF-8 even where some byte is not).
bool isValidUtf8(const char* bytes, size_t size, bool& multiByte);
// Each malformed sequence (overlong, surrogate, beyond U+10FFFF, cut short,
// a stray byte) becomes one U+FFFD.
std::wstring decodeUtf8(const char* bytes, size_t size);
inline std::wstring toWide(const std::string& utf8) {
    return decodeUtf8(utf8.data(), utf8.size());
}
// A lone surrogate becomes U+FFFD.
std::string toUtf8(const std::wstring& text);
