// ctl/reading/: palimoor.exe's own reading run inside palimoorctl, and what
// every subcommand says of it (findings, section names, near names, outcome
// words); below the subcommands, above ctl/io/.
//
// palimoor.exe's own reading, run inside palimoorctl: what it makes of a
// command line (its option parser, and the boxes it would show), and what a
// rule writer should know of that.
#pragma once
#include "base/settings.h"
#include "ctl/reading/findings.h"
#include "options/command_line.h"
#include <functional>
#include <string>
#include <vector>

struct ProgramReading {
    bool accepted = true;            // no option of the command line was refused
    Settings settings;               // as the parser leaves them
    OptionReading optionReading;     // its tokens and files, in the program's form
    std::vector<std::wstring> boxes; // the refused-option boxes, in the order shown
};

// palimoor.exe as given by --exe (the program or its folder), or beside
// palimoorctl; in the program's form.
std::wstring programFile(const std::wstring& given);
// `exe` is palimoor.exe's path in the program's form.
ProgramReading readAsProgram(const std::wstring& exe, const std::wstring& commandLine);
// What a rule writer should know of it: refused options, options the program
// ignores or reads otherwise than they look, the section's quotes.
// `isSection` tells whether the rule file has a section of that name.
std::vector<CheckFinding>
commandLineFindings(const ProgramReading& reading,
                    const std::function<bool(const std::wstring&)>& isSection);
// The options in force, one "-name=VALUE" after another.
std::wstring describeOptions(const Settings& settings);
