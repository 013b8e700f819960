// ctl/new/: a rule learned from one demonstration: the desktop's changes
// recorded, the window the user acted on, the narrowest stable way to name
// it, the state shown, and the section written as check checks it. It uses
// ctl/checker/, ctl/observed/, ctl/write/, ctl/reading/ and ctl/io/, no other
// room.
//
// `palimoorctl new FILE SECTION`: a rule from one demonstration (Windows).
#pragma once
#include "ctl/io/console.h"
#include "ctl/io/parsed_arguments.h"

int newCommand(const ParsedArguments& read, const Console& console);
