// The text form of a Windows CE shortcut: a count, "#", then the target
// command line (to the end of the first line).
#pragma once
#include <string>

// False for anything that is not such a text.
bool parseCeShortcutText(const std::wstring& text, std::wstring& target);
// The text for a target: its length in characters, "#", the target.
std::wstring composeCeShortcutText(const std::wstring& target);
