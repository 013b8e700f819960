// ctl/check/: `check` as the user runs it, in its forms; it uses
// ctl/checker/, ctl/reading/ and ctl/io/, no other room.
//
// `palimoorctl check`: every problem of a rule file at once, or what
// palimoor.exe makes of a command line and then of the section it names.
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int checkCommand(const ParsedArguments& read, const Console& console);
