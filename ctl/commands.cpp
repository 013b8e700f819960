#include "ctl/commands.h"
#include "ctl/text_out.h"

namespace {

struct Subcommand {
    const wchar_t* name;
    const wchar_t* synopsis; // the usage lines, without "palimoorctl NAME"
    const wchar_t* summary;  // one line for the list of subcommands
    int (*run)(const Arguments&, const Console&);
    const wchar_t* help; // what --help adds to the usage lines
};

const Subcommand kSubcommands[] = {
    {L"check",
     L"FILE [--section NAME]... [--json] [--quiet] [--codepage N]\n"
     L"--command-line TEXT [--exe PATH] [--json] [--codepage N]",
     L"report every problem of a rule file, or of a command line", checkCommand,
     L"Reads FILE as palimoor.exe reads its rule file and reports every problem at once,\n"
     L"one line each: FILE:LINE: error: TEXT or FILE:LINE: warning: TEXT. Errors are what\n"
     L"palimoor.exe refuses (its own message in brackets); warnings are legal lines that\n"
     L"probably do not mean what they say; notes say how the file is read. A section\n"
     L"that palimoor.exe will not load at all gets a closing line \"[NAME] will not load\".\n"
     L"A file without problems gets one line saying so.\n"
     L"\n"
     L"  --section NAME     check only this section (repeat for more); NAME is exact\n"
     L"  --json             the findings and each section's verdict as JSON\n"
     L"  --quiet            no line for a file without problems\n"
     L"  --codepage N       the ANSI code page of the Windows that runs palimoor.exe, for\n"
     L"                     a file that is neither marked nor UTF-8 (default: this system's\n"
     L"                     ANSI code page on Windows, 932 (Japanese) elsewhere)\n"
     L"  --command-line TEXT  what palimoor.exe does with this command line: the options\n"
     L"                     it takes, the rule file it opens, the section it looks for;\n"
     L"                     then that section is checked\n"
     L"  --exe PATH         palimoor.exe, or its folder (default: beside palimoorctl)\n"
     L"\n"
     L"Exit code: 0 no error (warnings allowed), 1 an error, 2 an unreadable file or a\n"
     L"wrong command line.\n"},
    {L"explain", L"FILE SECTION [--codepage N]", L"say in plain English what a rule does",
     explainCommand,
     L"Loads SECTION of FILE exactly as palimoor.exe would and says in plain English what\n"
     L"it will do: the window, the state, what happens at start for each outcome of the\n"
     L"first look, how it waits, the timeout, and each list entry as it will be read.\n"
     L"Keys that palimoor.exe skips are listed first, as notes. --codepage as for check.\n"
     L"\n"
     L"Exit code: 0 the rule loads, 1 it cannot be loaded, 2 an unreadable file or a wrong\n"
     L"command line.\n"},
    {L"line",
     L"RULEFILE SECTION [--exe PATH] [--execmode MODE] [--debug]\n"
     L"[--showicon TRUE|FALSE] [--showtask TRUE|FALSE]\n"
     L"[--lnk FILE] [--ce FILE [--device-path PATH]] [--codepage N]",
     L"the command line (and shortcut) that starts palimoor.exe with a rule", lineCommand,
     L"Prints the exact command line that starts palimoor.exe with SECTION of RULEFILE:\n"
     L"the options asked for, -inifile= as palimoor.exe resolves it (from its own\n"
     L"folder), and -section= last, unquoted, blanks kept. Starting the same section\n"
     L"again stops the waiting instance (the toggle).\n"
     L"\n"
     L"  --exe PATH          palimoor.exe, or its folder (default: beside palimoorctl);\n"
     L"                      RULEFILE must be in that folder or below it\n"
     L"  --execmode MODE     -execmode=MODE (TOGGLE, OPEN, CLOSE, RESET, ...)\n"
     L"  --debug             -debug=TRUE: the diagnostic boxes, for trying a rule\n"
     L"  --showicon, --showtask  -showicon= and -showtask= with the value given\n"
     L"  --lnk FILE          also write a desktop shortcut to FILE (Windows); a bare file\n"
     L"                      name goes on the desktop, and the place is printed\n"
     L"  --ce FILE           also write a Windows CE shortcut to FILE\n"
     L"  --device-path PATH  palimoor.exe on the handheld, for --ce (default:\n"
     L"                      \\Program Files\\Palimoor\\ and the program's file name)\n"
     L"  --codepage N        the handheld's ANSI code page, for a --ce shortcut with\n"
     L"                      other than ASCII text (default as for \"check\")\n"
     L"\n"
     L"Exit code: 0 done, 1 the section is missing, cannot be named on a command line,\n"
     L"or does not load, 2 a wrong command line, an unreadable file or one outside\n"
     L"palimoor.exe's folder.\n"},
    {L"windows",
     L"[--all] [--json]\n"
     L"--class CLASS --title TITLE\n"
     L"--rule FILE SECTION\n"
     L"--watch [--all]",
     L"list the top-level windows, or which one a rule finds now (Windows)", windowsCommand,
     L"Lists the top-level windows with what a rule needs: class, title, visible or\n"
     L"hidden, minimized, the one in front (marked *), process id and program. Visible\n"
     L"windows only, unless --all.\n"
     L"\n"
     L"  --class, --title   which window a rule with this class and title finds now (the\n"
     L"                     program's own lookup), which trigger states hold now, and what\n"
     L"                     palimoor.exe would do if started now (either may be left out)\n"
     L"  --rule FILE SECTION  the same for a section of a rule file\n"
     L"  --watch            print each change (appears, disappears, new title, minimized,\n"
     L"                     restored, comes to the front) with a time stamp, until Ctrl+C\n"
     L"  --json             the list as a JSON array\n"
     L"\n"
     L"Needs Windows (or Wine).\n"},
    {L"instances", L"[--json]", L"list the waiting Palimoor instances (Windows)", instancesCommand,
     L"Lists the waiting Palimoor instances: section, process id, and whether the\n"
     L"instance is shown among the running tasks (-showtask=TRUE).\n"
     L"\n"
     L"Needs Windows (or Wine).\n"},
};

// "usage: palimoorctl NAME LINE", each further line under the first.
std::wstring usageOf(const Subcommand& subcommand) {
    const std::wstring lead = L"usage: palimoorctl " + std::wstring(subcommand.name) + L" ";
    std::wstring out = lead;
    for (const wchar_t* c = subcommand.synopsis; *c; ++c)
        out += *c == L'\n' ? L"\n" + std::wstring(lead.size(), L' ') : std::wstring(1, *c);
    return out + L"\n";
}

std::wstring overallUsage() {
    std::wstring out = L"usage: palimoorctl COMMAND [ARGUMENTS]\n\n";
    for (const Subcommand& subcommand : kSubcommands) {
        const std::wstring name = subcommand.name;
        out += L"  " + name + std::wstring(11 - name.size(), L' ') + subcommand.summary + L"\n";
    }
    return out + L"\n\"palimoorctl COMMAND --help\" tells more about one command.\n";
}

bool wantsHelp(const Arguments& arguments) {
    for (const std::wstring& argument : arguments) {
        if (argument == L"--")
            return false;
        if (argument == L"--help" || argument == L"-h")
            return true;
    }
    return false;
}

} // namespace

int runCtl(const Arguments& arguments, const Console& console) {
    if (arguments.empty()) {
        console.error(overallUsage());
        return 2;
    }
    const std::wstring& command = arguments[0];
    if (command == L"--help" || command == L"-h" || command == L"help") {
        console.print(overallUsage());
        return 0;
    }
    const Arguments rest(arguments.begin() + 1, arguments.end());
    for (const Subcommand& subcommand : kSubcommands) {
        if (command != subcommand.name)
            continue;
        if (wantsHelp(rest)) {
            console.print(usageOf(subcommand) + L"\n" + subcommand.help);
            return 0;
        }
        return subcommand.run(rest, console);
    }
    console.error(L"palimoorctl: unknown command " + quoted(command) + L"\n" + overallUsage());
    return 2;
}
