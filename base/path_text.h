// Locating files beside the executable.
#pragma once
#include <string>

struct PathParts {
    std::wstring directory; // before the last backslash; empty without one
    std::wstring fileName;  // after the last backslash; the whole path without one
};

PathParts splitModulePath(const std::wstring& modulePath);
// The file name up to, not including, its last "."; the whole name without one.
std::wstring baseNameOf(const std::wstring& fileName);
