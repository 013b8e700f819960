// palimoorctl's subcommands. Each takes its own arguments (after the
// subcommand's name) and returns the exit code: 0 fine, 1 the rule has an
// error or cannot be loaded, 2 a wrong command line or an unreadable file.
#pragma once
#include "ctl/console.h"
#include <string>
#include <vector>

using Arguments = std::vector<std::wstring>;

int runCtl(const Arguments& arguments, const Console& console); // the whole command line
int checkCommand(const Arguments& arguments, const Console& console);
int explainCommand(const Arguments& arguments, const Console& console);
// These two need Windows; elsewhere they say so.
int windowsCommand(const Arguments& arguments, const Console& console);
int instancesCommand(const Arguments& arguments, const Console& console);

// Shared by the subcommands.
extern const wchar_t* const kWindowsHelp;
extern const wchar_t* const kInstancesHelp;
bool wantsHelp(const Arguments& arguments);
int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand);
