// Desktop shell links (.lnk files), read as the shell would start them and
// written with the shell's own link object. The handheld has no such links:
// there the reading is the platform's, and nothing is written.
#pragma once
#include <string>

// The link's program in double quotes, then its arguments after a blank;
// %variables% expanded. False when the file is no link or names no program.
bool readShellLink(const std::wstring& path, std::wstring& target);
// A link to `target` with its arguments, started in `folder`, with the
// target's icon; `linkPath` is absolute. False, with the reason, when the
// link object refuses any part of it or there is no link object.
bool writeShellLink(const std::wstring& linkPath, const std::wstring& target,
                    const std::wstring& arguments, const std::wstring& folder, std::wstring& why);
