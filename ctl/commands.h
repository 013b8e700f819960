// palimoorctl's subcommands. One table of them (commands.cpp) gives the
// dispatch, the usage text and each one's --help; its options are read there
// by the one argument reader, --codepage applied, and a subcommand gets what
// was read. Each returns the exit code: 0 fine, 1 the rule has an error or
// cannot be loaded, 2 a wrong command line or an unreadable file.
#pragma once
#include "ctl/arguments.h"

int runCtl(const Arguments& arguments, const Console& console);

int checkCommand(const ReadArguments& read, const Console& console);
int explainCommand(const ReadArguments& read, const Console& console);
int lineCommand(const ReadArguments& read, const Console& console);
// These two need Windows; elsewhere they say so.
int windowsCommand(const ReadArguments& read, const Console& console);
int instancesCommand(const ReadArguments& read, const Console& console);
