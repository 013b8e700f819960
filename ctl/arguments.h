// What every palimoorctl subcommand does with its arguments.
#pragma once
#include "ctl/console.h"
#include <string>
#include <vector>

using Arguments = std::vector<std::wstring>;

bool wantsHelp(const Arguments& arguments);
// Says what is wrong with the command line on standard error, made visible;
// returns 2.
int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand);
// Whether arguments[i] is `name` followed by a value ("--name VALUE" or
// "--name=VALUE"); then `value` holds it and `i` the last argument used.
// `missing` tells that the name came without a value.
bool optionValue(const Arguments& arguments, size_t& i, const std::wstring& name,
                 std::wstring& value, bool& missing);
