// The one reader of palimoorctl's arguments: "--name VALUE" and
// "--name=VALUE" alike, flags, and "--" before arguments that begin with "-".
#pragma once
#include "ctl/console.h"
#include <string>
#include <utility>
#include <vector>

using Arguments = std::vector<std::wstring>;

// An option of a subcommand, as --help shows it: its value's name (none for
// a flag) and what it does.
struct OptionSpec {
    const wchar_t* name;
    const wchar_t* value;
    const wchar_t* help;
};

struct ReadArguments {
    std::vector<std::wstring> positional;
    std::vector<std::pair<std::wstring, std::wstring>> options; // in order; a flag's value is empty

    bool has(const wchar_t* name) const;
    std::wstring value(const wchar_t* name) const; // the last one given
    std::vector<std::wstring> values(const wchar_t* name) const;
};

// False, with the reason, for an option the subcommand does not take or one
// without its value.
bool readArguments(const Arguments& arguments, const OptionSpec* options, size_t count,
                   ReadArguments& read, std::wstring& error);
// "--codepage N": selects code page N when it is a number this system can
// convert; false, with the reason, otherwise.
bool applyCodePage(const std::wstring& value, std::wstring& error);
// Says what is wrong with the command line on standard error, made visible;
// returns 2.
int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand);
