// ctl/line/: `palimoorctl line`; it uses ctl/write/, ctl/reading/ and
// ctl/io/, no other room.
//
// `palimoorctl line`: the command line that starts palimoor.exe with a rule,
// and the shortcuts that carry it (desktop and handheld).
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int lineCommand(const ParsedArguments& read, const Console& console);
