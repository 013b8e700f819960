// Splitting an external command into the file and parameters for the shell.
#pragma once
#include <string>

struct LaunchParts {
    std::wstring file;
    std::wstring parameters;
    bool shortcut = false; // `file` is a ".lnk" whose target still has to be looked up
};

LaunchParts splitCommandText(const std::wstring& text);
// A shortcut target: a quoted path and what follows it after spaces, or the
// whole unquoted target as the file.
LaunchParts splitShortcutTarget(const std::wstring& target);
std::wstring trimTrailingLineBreaks(const std::wstring& file);
