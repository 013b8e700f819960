#include "ctl/commands.h"

namespace {

const wchar_t* const kUsage =
    L"usage: palimoorctl COMMAND [ARGUMENTS]\n"
    L"\n"
    L"  check FILE [--section NAME]... [--json]   report every problem of a rule file\n"
    L"  explain FILE SECTION                      say in plain English what a rule does\n"
    L"  windows [--all] [--json]                  list the top-level windows (Windows)\n"
    L"  windows --class C --title T | --rule FILE SECTION\n"
    L"                                            which window a rule finds now (Windows)\n"
    L"  windows --watch [--all]                   print window changes as they happen (Windows)\n"
    L"  instances [--json]                        list the waiting Palimoor instances (Windows)\n"
    L"\n"
    L"\"palimoorctl COMMAND --help\" tells more about one command.\n";

} // namespace

const wchar_t* const kWindowsHelp =
    L"usage: palimoorctl windows [--all] [--json]\n"
    L"       palimoorctl windows --class CLASS --title TITLE\n"
    L"       palimoorctl windows --rule FILE SECTION\n"
    L"       palimoorctl windows --watch [--all]\n"
    L"\n"
    L"Lists the top-level windows with what a rule needs: class, title, visible or\n"
    L"hidden, the one in front (marked *), process id and program. Visible windows\n"
    L"only, unless --all.\n"
    L"\n"
    L"  --class, --title   which window a rule with this class and title finds now (the\n"
    L"                     program's own lookup), which trigger states hold now, and what\n"
    L"                     palimoor.exe would do if started now (either may be left out)\n"
    L"  --rule FILE SECTION  the same for a section of a rule file\n"
    L"  --watch            print each change (appears, disappears, new title, comes to the\n"
    L"                     front) with a time stamp, until Ctrl+C\n"
    L"  --json             the list as a JSON array\n"
    L"\n"
    L"Needs Windows (or Wine).\n";

const wchar_t* const kInstancesHelp =
    L"usage: palimoorctl instances [--json]\n"
    L"\n"
    L"Lists the waiting Palimoor instances: section, process id, and whether the\n"
    L"instance is shown among the running tasks (-showtask=TRUE).\n"
    L"\n"
    L"Needs Windows (or Wine).\n";

bool wantsHelp(const Arguments& arguments) {
    for (const std::wstring& argument : arguments) {
        if (argument == L"--help" || argument == L"-h")
            return true;
    }
    return false;
}

int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand) {
    console.error(L"palimoorctl " + std::wstring(subcommand) + L": " + message +
                  L" (see \"palimoorctl " + subcommand + L" --help\")\n");
    return 2;
}

int runCtl(const Arguments& arguments, const Console& console) {
    if (arguments.empty()) {
        console.error(kUsage);
        return 2;
    }
    const std::wstring& command = arguments[0];
    const Arguments rest(arguments.begin() + 1, arguments.end());
    if (command == L"check")
        return checkCommand(rest, console);
    if (command == L"explain")
        return explainCommand(rest, console);
    if (command == L"windows")
        return windowsCommand(rest, console);
    if (command == L"instances")
        return instancesCommand(rest, console);
    if (command == L"--help" || command == L"-h" || command == L"help") {
        console.print(kUsage);
        return 0;
    }
    console.error(L"palimoorctl: unknown command \"" + command + L"\"\n" + kUsage);
    return 2;
}
