// ctl/status/: what a waiting instance sees now, asked of the instance
// itself; it uses ctl/observed/, ctl/reading/ and ctl/io/, no other room.
//
// `palimoorctl status [SECTION]`: every waiting instance, or SECTION's.
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int statusCommand(const ParsedArguments& read, const Console& console);
