// One option: the words the command line and the parameter file share, and
// what each sets in Settings.
#pragma once
#include "base/settings.h"
#include <string>

enum class OptionField { ExecMode, ShowTask, ShowIcon, Debug, IniFile };

// An option parseOption applies: its name with the "=", letter case ignored.
struct OptionName {
    const wchar_t* name;
    OptionField field;
};

// The option the token begins with; null for a token parseOption ignores.
const OptionName* findOption(const std::wstring& token);
// Applies one option token; false only for a known option with a value it refuses
// (after the bad-option box has been shown). Anything else is ignored.
bool parseOption(Settings& settings, const std::wstring& token);
// The always-shown box for a refused option.
void reportBadOption(const Settings& settings, const std::wstring& token);
// The word that selects the mode (the first, for the mode with two).
const wchar_t* execModeWord(ExecMode mode);
// A value written in double quotes loses its first and last character.
std::wstring unquoteValue(const std::wstring& value);
