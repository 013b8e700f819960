// The one reader of palimoorctl's arguments: "--name VALUE" and
// "--name=VALUE" alike, flags, and "--" before arguments that begin with "-".
#pragma once
#include "ctl/io/parsed_arguments.h"
#include <string>
#include <vector>

using Arguments = std::vector<std::wstring>;

// An option of a subcommand, as --help shows it: its value's name (none for
// a flag) and what it does.
struct OptionSpec {
    const wchar_t* name;
    const wchar_t* value;
    const wchar_t* help;
};

// False, with the reason, for an option the subcommand does not take or one
// without its value.
bool readArguments(const Arguments& arguments, const OptionSpec* options, size_t count,
                   ParsedArguments& read, std::wstring& error);
