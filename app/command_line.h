// Turning the command line into Settings.
#pragma once
#include "base/settings.h"
#include <string>
#include <vector>

// Splits at runs of separators; a double-quoted stretch, separators included,
// stays inside its token, quotes and all.
std::vector<std::wstring> splitTokens(const std::wstring& text, const std::wstring& separators);
// Drops a leading double quote and, if there was one, a trailing one too.
std::wstring stripQuotes(const std::wstring& token);
// Applies one option token; false only for a known option with a value it refuses
// (after the bad-option box has been shown).
bool parseOption(Settings& settings, const std::wstring& token);
// The always-shown box for a refused option.
void reportBadOption(const Settings& settings, const std::wstring& token);
// The whole command line: section, parameter file, then the options in order.
bool parseOptions(Settings& settings, const std::wstring& programName,
                  const std::wstring& modulePath, const std::wstring& commandLine);
