// palimoorctl's paths and files. A path to a file palimoor.exe will read is
// kept as the program forms paths (absolute, folders separated by
// backslashes), so that the program's own path code applies to it on every
// platform.
#pragma once
#include <string>

// palimoorctl's own file, in the program's form.
std::wstring ownProgramPath();
// The path made absolute, in the program's form.
std::wstring programForm(const std::wstring& path);
// A path in the program's form as this system writes paths.
std::wstring shownPath(const std::wstring& programFormPath);
bool isFolder(const std::wstring& programFormPath);
// Whether the path lies in the folder or below it, letter case compared as
// this system's files compare it; `relative` is the rest of the path then.
bool isInFolder(const std::wstring& programFormPath, const std::wstring& folder,
                std::wstring& relative);
bool writeFileBytes(const std::wstring& path, const std::string& bytes);
// The text in the code page; false when a character has no place in it.
bool encodeInCodePage(const std::wstring& text, unsigned codePage, std::string& bytes);
// A desktop shortcut, written by the shell's own link object: the target
// with its arguments, started in `folder`, with the target's icon. False,
// with the reason, where there is no such object.
bool writeShellLink(const std::wstring& linkPath, const std::wstring& target,
                    const std::wstring& arguments, const std::wstring& folder, std::wstring& why);
