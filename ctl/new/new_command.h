// `palimoorctl new FILE SECTION`: a rule from one demonstration (Windows).
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int newCommand(const ParsedArguments& read, const Console& console);
