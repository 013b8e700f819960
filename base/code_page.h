// Text in an ANSI code page: a rule or parameter file that is neither marked
// nor UTF-8, and a Windows CE shortcut. Windows converts it itself; elsewhere
// the system's converter does, held to what Windows gives for every byte of
// the code pages measured against it (932, the handheld's, and 1252).
#pragma once
#include <string>

// The code page in use: the system's ANSI code page, unless another was selected.
unsigned ansiCodePage();
// palimoorctl reads files for another machine; false when there is no such
// code page here, and then the one in use stays.
bool selectAnsiCodePage(unsigned codePage);
// False when the code page in use cannot be converted on this system.
bool ansiCodePageReadable();
std::wstring decodeAnsiCodePage(const char* bytes, size_t size);
// The text in the code page in use; false when a character has no place in
// it or would read back as another one.
bool encodeAnsiCodePage(const std::wstring& text, std::string& bytes);
// Whether the byte begins a double-byte character in the code page in use.
bool isAnsiLeadByte(unsigned char byte);
// Whether the code page in use is read exactly as Windows reads it: always on
// Windows; elsewhere only 932 and 1252, which were measured against it.
bool ansiCodePageAsWindows();
