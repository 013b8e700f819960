// Rule and parameter files as lines of wide text.
//
// A UTF-16 byte-order mark means UTF-16; a UTF-8 mark means UTF-8; without a
// mark the bytes are UTF-8 when they are valid UTF-8, else the system's ANSI
// code page. The mark never reaches the first line, and the carriage return of
// a CR LF pair is dropped; nothing else is trimmed.
#pragma once
#include <string>
#include <vector>

std::vector<std::wstring> decodeTextLines(const char* bytes, size_t size);
inline std::vector<std::wstring> decodeTextLines(const std::string& bytes) {
    return decodeTextLines(bytes.data(), bytes.size());
}
// False only when the file cannot be opened; a read that fails midway keeps
// the lines read so far.
bool readTextLines(const std::wstring& path, std::vector<std::wstring>& lines);

// Platform services behind the above (Win32 build, or the host tests' stand-ins).
// Bytes travel as vectors: the program needs no narrow string type at all.
bool readFileBytes(const std::wstring& path, std::vector<char>& bytes);
std::wstring decodeAnsiCodePage(const char* bytes, size_t size);
