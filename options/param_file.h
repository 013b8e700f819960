// Options kept in a text file beside the executable, applied before the
// command line's own.
#pragma once
#include "base/settings.h"
#include <string>

std::wstring paramFilePath(const std::wstring& directory, const std::wstring& exeFileName,
                           const std::wstring& paramfile);
// A missing file is no error; a refused line shows its box and reading goes on.
void readParamFile(Settings& settings, const std::wstring& path);
