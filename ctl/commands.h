// palimoorctl's front door: one table of subcommands (commands.cpp) gives the
// dispatch, the usage text and each one's --help; its options are read there
// by the one argument reader, --codepage applied, and a subcommand gets what
// was read. Each returns the exit code: 0 fine, 1 the rule has an error or
// cannot be loaded, 2 a wrong command line or an unreadable file. A new
// subcommand is a room of its own below ctl/, and a row in the table.
#pragma once
#include "ctl/arguments.h"
#include "ctl/io/console.h"

int runCtl(const Arguments& arguments, const Console& console);
