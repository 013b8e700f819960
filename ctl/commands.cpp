#include "ctl/commands.h"
#include "ctl/text_out.h"

namespace {

const wchar_t* const kUsage =
    L"usage: palimoorctl COMMAND [ARGUMENTS]\n"
    L"\n"
    L"  check FILE [--section NAME]... [--json]   report every problem of a rule file\n"
    L"  check --command-line TEXT [--exe PATH]    what palimoor.exe does with a command line\n"
    L"  explain FILE SECTION                      say in plain English what a rule does\n"
    L"  line FILE SECTION [--lnk F] [--ce F]      the command line (and shortcut) that\n"
    L"                                            starts palimoor.exe with a rule\n"
    L"  windows [--all] [--json]                  list the top-level windows (Windows)\n"
    L"  windows --class C --title T | --rule FILE SECTION\n"
    L"                                            which window a rule finds now (Windows)\n"
    L"  windows --watch [--all]                   print window changes as they happen (Windows)\n"
    L"  instances [--json]                        list the waiting Palimoor instances (Windows)\n"
    L"\n"
    L"\"palimoorctl COMMAND --help\" tells more about one command.\n";

} // namespace

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
    if (command == L"line")
        return lineCommand(rest, console);
    if (command == L"windows")
        return windowsCommand(rest, console);
    if (command == L"instances")
        return instancesCommand(rest, console);
    if (command == L"--help" || command == L"-h" || command == L"help") {
        console.print(kUsage);
        return 0;
    }
    console.error(L"palimoorctl: unknown command " + quoted(command) + L"\n" + kUsage);
    return 2;
}
