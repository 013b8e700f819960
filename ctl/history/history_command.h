// `palimoorctl history [SECTION] [--json]`: what each rule did, newest last,
// from this user's history files (ctl/history/history_words.h).
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int historyCommand(const ParsedArguments& read, const Console& console);
