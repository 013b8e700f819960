// Text as palimoorctl shows it. Nothing read from a rule file, a command line
// or another program's window reaches the terminal raw: a control character
// there could retitle or clear it, and an invisible one would hide what the
// program really sees.
#pragma once
#include <cstdint>
#include <string>

// The text with every control character (C0, DEL, C1) and every invisible or
// direction-changing one (U+00A0, U+00AD, U+200B-U+200F, U+2028-U+202E,
// U+2060-U+206F, U+FEFF, lone surrogates, ...) as \uXXXX.
std::wstring visible(const std::wstring& text);
// Whether visible() would escape the character: a control or an invisible one.
bool isInvisible(std::uint32_t c);
// The same in double quotes, with tab, CR, LF and " as \t, \r, \n and \".
std::wstring quoted(const std::wstring& text);
// A JSON string literal, escaped as visible() escapes.
std::wstring jsonString(const std::wstring& text);
