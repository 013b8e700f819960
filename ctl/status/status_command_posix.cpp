// Outside Windows there are no instances to ask.
#include "ctl/status/status_command.h"

int statusCommand(const ParsedArguments&, const Console& console) {
    console.error(
        L"palimoorctl status: needs Windows (run palimoorctl.exe there, or under Wine)\n");
    return 2;
}
