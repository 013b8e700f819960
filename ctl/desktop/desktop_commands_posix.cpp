// Outside Windows there are no windows to list.
#include "ctl/desktop/desktop_commands.h"

namespace {
int needsWindows(const Console& console, const wchar_t* name) {
    console.error(L"palimoorctl " + std::wstring(name) +
                  L": needs Windows (run palimoorctl.exe there, or under Wine)\n");
    return 2;
}
} // namespace

int windowsCommand(const ParsedArguments&, const Console& console) {
    return needsWindows(console, L"windows");
}

int instancesCommand(const ParsedArguments&, const Console& console) {
    return needsWindows(console, L"instances");
}
