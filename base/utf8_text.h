// UTF-8 to wide text and back. Wide characters are UTF-16 on Windows and
// UTF-32 elsewhere; both come out right.
#pragma once
#include <string>

bool isValidUtf8(const char* bytes, size_t size);
// The same, adding to the counts of well-formed sequences beyond ASCII and of
// malformed ones: how much the bytes look like UTF-8 even where some are not.
bool isValidUtf8(const char* bytes, size_t size, size_t& multiByte, size_t& malformed);
// Each malformed sequence (overlong, surrogate, beyond U+10FFFF, cut short,
// a stray byte) becomes one U+FFFD.
std::wstring decodeUtf8(const char* bytes, size_t size);
// The same into `out`, which keeps its storage: a file read line by line
// allocates once, not once a line.
void decodeUtf8(const char* bytes, size_t size, std::wstring& out);
inline std::wstring toWide(const std::string& utf8) {
    return decodeUtf8(utf8.data(), utf8.size());
}
// A lone surrogate becomes U+FFFD.
std::string toUtf8(const std::wstring& text);
