// Files palimoorctl writes (rule files and shortcuts); palimoor.exe writes
// nothing and does not link this.
#pragma once
#include <string>

// The whole file is replaced, or left as it was: the bytes go to a new file
// beside it, which then takes its place, so that a write that fails midway
// (a full disk, a quota) never leaves a file cut short. False, with the
// reason in `why` when given, when anything failed.
bool writeFileBytes(const std::wstring& path, const std::string& bytes,
                    std::wstring* why = nullptr);
