// Outside Windows there are no windows to list.
#include "ctl/commands.h"
#include "ctl/windows_help.h"

namespace {
int needsWindows(const Arguments& arguments, const Console& console, const wchar_t* help,
                 const wchar_t* name) {
    if (wantsHelp(arguments)) {
        console.print(help);
        return 0;
    }
    console.error(L"palimoorctl " + std::wstring(name) +
                  L": needs Windows (run palimoorctl.exe there, or under Wine)\n");
    return 2;
}
} // namespace

int windowsCommand(const Arguments& arguments, const Console& console) {
    return needsWindows(arguments, console, kWindowsHelp, L"windows");
}

int instancesCommand(const Arguments& arguments, const Console& console) {
    return needsWindows(arguments, console, kInstancesHelp, L"instances");
}
