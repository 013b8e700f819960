// What the front door read of a subcommand's arguments, handed to the
// subcommand: the positional ones and the options in order; and the one way
// a subcommand says that its command line is wrong.
#pragma once
#include "ctl/io/console.h"
#include <string>
#include <utility>
#include <vector>

struct ParsedArguments {
    std::vector<std::wstring> positional;
    std::vector<std::pair<std::wstring, std::wstring>> options; // in order; a flag's value is empty

    bool has(const wchar_t* name) const;
    std::wstring value(const wchar_t* name) const; // the last one given
    std::vector<std::wstring> values(const wchar_t* name) const;
};

// Says what is wrong with the command line on standard error, made visible;
// returns 2.
int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand);
