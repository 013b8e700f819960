// palimoorctl's desktop room: what is on the desktop now, which needs Windows
// (or Wine): `windows` (the top-level windows, the one a rule finds, their
// changes) and `instances` (the waiting Palimoor instances).
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int windowsCommand(const ParsedArguments& read, const Console& console);
int instancesCommand(const ParsedArguments& read, const Console& console);
