// Where palimoorctl finds palimoor.exe and the files it is given. A path to a
// file palimoor.exe will read is kept as the program forms paths (absolute,
// folders separated by backslashes), so that the program's own path code
// applies to it on every platform.
#pragma once
#include <string>

// palimoorctl's own file, in the program's form.
std::wstring ownProgramPath();
// The path made absolute, in the program's form.
std::wstring programForm(const std::wstring& path);
// A path in the program's form as this system writes paths.
std::wstring shownPath(const std::wstring& programFormPath);
// The user's desktop folder, in the program's form; empty where there is none.
std::wstring desktopFolder();
// A file of that name in the system's folder for temporary files, in the
// program's form.
std::wstring temporaryFile(const std::wstring& name);
// Whether two paths name the same file, letter case compared as this
// system's files compare it.
bool samePathText(const std::wstring& a, const std::wstring& b);
// Whether the path lies in the folder or below it; `relative` is the rest of
// the path then.
bool isInFolder(const std::wstring& path, const std::wstring& folder, std::wstring& relative);
