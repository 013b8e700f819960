// ctl/explain/: a rule told in words; it uses ctl/reading/ and ctl/io/, no
// other room.
//
// `palimoorctl explain`: a section in plain English, loaded exactly as
// palimoor.exe loads it.
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int explainCommand(const ParsedArguments& read, const Console& console);
