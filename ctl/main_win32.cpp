// palimoorctl.exe: the rule writer's companion to palimoor.exe on Windows.
#include "ctl/commands.h"
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    Arguments arguments(argv + 1, argv + argc);
    Console console; // no colour: a Windows console needs more than escape codes
    return runCtl(arguments, console);
}
