// ctl/write/: what palimoorctl writes for palimoor.exe: the command line
// that starts a rule and the shortcuts that carry it. It uses ctl/reading/
// and ctl/io/, no other room.
//
// The command line that starts palimoor.exe with one section of a rule file,
// composed so that the program's own parser reads back exactly that rule, and
// the desktop shortcut that carries it. `line` and `new` print it alike.
#pragma once
#include "ctl/io/console.h"
#include <string>
#include <vector>

struct StartLine {
    std::wstring exe;    // palimoor.exe, in the program's form
    std::wstring folder; // its folder
    std::wstring line;   // the options, -inifile= and -section=, last
};

// False, with the reason and the exit code (1 the section cannot be started,
// 2 the file), when no command line can start it: a rule file outside
// palimoor.exe's folder, a section missing or not loading, a name no command
// line carries. `options` are palimoor.exe's option tokens.
bool composeStartLine(const std::wstring& exe, const std::wstring& ruleFile,
                      const std::wstring& section, const std::vector<std::wstring>& options,
                      StartLine& start, std::wstring& why, int& code);
// Prints the command line as it is (what does not show is said on standard
// error, made visible), and writes the desktop shortcut to `lnk` when given
// (a bare file name goes on the desktop); the exit code.
int showStartLine(const StartLine& start, const std::wstring& lnk, const wchar_t* subcommand,
                  const Console& console);
