// palimoorctl's subcommands. Each takes its own arguments (after the
// subcommand's name) and returns the exit code: 0 fine, 1 the rule has an
// error or cannot be loaded, 2 a wrong command line or an unreadable file.
#pragma once
#include "ctl/arguments.h"

// The whole command line: one table of subcommands gives the dispatch, the
// usage text and each subcommand's --help.
int runCtl(const Arguments& arguments, const Console& console);

int checkCommand(const Arguments& arguments, const Console& console);
int explainCommand(const Arguments& arguments, const Console& console);
int lineCommand(const Arguments& arguments, const Console& console);
// These two need Windows; elsewhere they say so.
int windowsCommand(const Arguments& arguments, const Console& console);
int instancesCommand(const Arguments& arguments, const Console& console);
