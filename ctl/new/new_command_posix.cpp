// Outside Windows there is no desktop to record.
#include "ctl/new/new_command.h"

int newCommand(const ParsedArguments&, const Console& console) {
    console.error(L"palimoorctl new: needs Windows (run palimoorctl.exe there, or under Wine)\n");
    return 2;
}
