#include "ctl/commands.h"
#include "base/count_of.h"
#include "ctl/check/check_command.h"
#include "ctl/desktop/desktop_commands.h"
#include "ctl/explain/explain_command.h"
#include "ctl/history/history_command.h"
#include "ctl/io/code_page_choice.h"
#include "ctl/io/shown_text.h"
#include "ctl/new/new_command.h"
#include "ctl/reading/spelling.h"
#include "ctl/status/status_command.h"
#include "ctl/line/line_command.h"

namespace {

const OptionSpec kCheckOptions[] = {
    {L"--section", L"NAME", L"check only this section (repeat for more); NAME is exact"},
    {L"--json", nullptr, L"the findings and each section's verdict as JSON"},
    {L"--format", L"FORMAT",
     L"text (the default), json (as --json), or msvc: FILE(LINE): error\n"
     L"PAL101: TEXT, as compilers write, for editors' problem matchers"},
    {L"--quiet", nullptr, L"no line for a file without problems"},
    {L"--codepage", L"N",
     L"the ANSI code page of the Windows that runs palimoor.exe, for\n"
     L"a file that is neither marked nor UTF-8 (default: this system's\n"
     L"ANSI code page on Windows, 932 (Japanese) elsewhere)"},
    {L"--command-line", L"TEXT",
     L"what palimoor.exe does with this command line: the options\n"
     L"it takes, the rule file it opens, the section it looks for;\n"
     L"then that section is checked"},
    {L"--exe", L"PATH", L"palimoor.exe, or its folder (default: beside palimoorctl)"},
};

const OptionSpec kExplainOptions[] = {{L"--codepage", L"N", L"as for check"}};

const OptionSpec kLineOptions[] = {
    {L"--exe", L"PATH",
     L"palimoor.exe, or its folder (default: beside palimoorctl);\n"
     L"RULEFILE must be in that folder or below it"},
    {L"--execmode", L"MODE", L"-execmode=MODE (TOGGLE, OPEN, CLOSE, RESET, ...)"},
    {L"--debug", nullptr, L"-debug=TRUE: the diagnostic boxes, for trying a rule"},
    {L"--showicon", L"TRUE|FALSE", L"-showicon=, with the value given"},
    {L"--showtask", L"TRUE|FALSE", L"-showtask=, with the value given"},
    {L"--lnk", L"FILE",
     L"also write a desktop shortcut to FILE (Windows); a bare file\n"
     L"name goes on the desktop, and the place is printed"},
    {L"--ce", L"FILE", L"also write a Windows CE shortcut to FILE"},
    {L"--device-path", L"PATH",
     L"palimoor.exe on the handheld, for --ce (default:\n"
     L"\\Program Files\\Palimoor\\ and the program's file name)"},
    {L"--codepage", L"N",
     L"the handheld's ANSI code page, for a --ce shortcut with\n"
     L"other than ASCII text (default as for check)"},
};

const OptionSpec kWindowsOptions[] = {
    {L"--all", nullptr, L"hidden windows too"},
    {L"--json", nullptr, L"the list as a JSON array"},
    {L"--class", L"CLASS",
     L"which window a rule with this class (and --title) finds now\n"
     L"(the program's own lookup), which trigger states hold now,\n"
     L"and what palimoor.exe would do if started now"},
    {L"--title", L"TITLE", L"the same with a title (and --class)"},
    {L"--rule", nullptr, L"the same for SECTION of the rule file FILE"},
    {L"--watch", nullptr,
     L"print each change (appears, disappears, new title, minimized,\n"
     L"restored, comes to the front) with a time stamp, until Ctrl+C"},
};

const OptionSpec kInstancesOptions[] = {{L"--json", nullptr, L"the list as JSON"}};

const OptionSpec kNewOptions[] = {
    {L"--for", L"SECONDS", L"record that long, without waiting for Enter (no console needed)"},
    {L"--pick", L"N", L"the window of timeline line N, not the one picked"},
    {L"--trigger", L"WORD", L"this trigger, not the one the demonstration shows"},
    {L"--check", L"WORD", L"this check, not change"},
    {L"--exec", L"TEXT", L"the exec entry, written as exec=TEXT"},
    {L"--dry-run", nullptr, L"print and check the section, write nothing"},
    {L"--json", nullptr, L"the timeline and the proposal as JSON"},
    {L"--exe", L"PATH", L"palimoor.exe, or its folder, for the command line (as for line)"},
    {L"--lnk", L"FILE", L"also write the desktop shortcut, as line --lnk does"},
    {L"--codepage", L"N", L"as for check"},
};

const OptionSpec kStatusOptions[] = {{L"--json", nullptr, L"each instance's answer as JSON"}};

const OptionSpec kHistoryOptions[] = {{L"--json", nullptr, L"the records as JSON"}};

// A subcommand that needs the desktop exists only in palimoorctl.exe; the
// other builds list it and say where it runs.
#ifdef _WIN32
#define ON_WINDOWS(run) run
constexpr bool kHasWindows = true;
#else
#define ON_WINDOWS(run) nullptr
constexpr bool kHasWindows = false;
#endif

struct Subcommand {
    const wchar_t* name;
    bool windowsOnly;
    const wchar_t* synopsis; // the usage lines, without "palimoorctl NAME"
    const wchar_t* summary;  // one line for the list of subcommands
    int (*run)(const ParsedArguments&, const Console&);
    const wchar_t* about; // --help: what it does, before the options
    const OptionSpec* options;
    size_t optionCount;
    const wchar_t* after; // --help: after the options
};

const Subcommand kSubcommands[] = {
    {L"new", true,
     L"FILE SECTION [--for SECONDS] [--pick N] [--trigger WORD] [--check WORD]\n"
     L"[--exec TEXT] [--dry-run] [--json] [--exe PATH] [--lnk FILE]",
     L"write a rule by showing it once: record, name the window, add the section",
     ON_WINDOWS(newCommand),
     L"Records every change to the top-level windows while you do, once, the thing the\n"
     L"rule is about (open the program, bring it to the front, minimize it, close it),\n"
     L"until Enter. Prints what it saw, one numbered line per change; picks the window\n"
     L"you acted on; names it the narrowest stable way (its class when the class is\n"
     L"the program's own, else its program, its title only where those do not tell it\n"
     L"apart), with the reason for each key in a comment; takes the state from what you\n"
     L"did; adds the section to FILE in FILE's own encoding (a new file as UTF-8 with a\n"
     L"byte-order mark), checks it as check does, and prints the command line that\n"
     L"starts it, as line does. A section FILE has already is refused before anything\n"
     L"is recorded.\n",
     kNewOptions, countOf(kNewOptions),
     L"Exit code: 0 written and checked, 1 nothing changed (or only titles), several\n"
     L"windows changed at once (give --pick), the section is there already,\n"
     L"interrupted, or the section has errors, 2 a wrong command line.\n"},
    {L"check", false,
     L"FILE [--section NAME]... [--json | --format FORMAT] [--quiet] [--codepage N]\n"
     L"--command-line TEXT [--exe PATH] [--json] [--codepage N]",
     L"report every problem of a rule file, or of a command line", checkCommand,
     L"Reads FILE as palimoor.exe reads its rule file and reports every problem at once,\n"
     L"one line each: FILE:LINE: error: TEXT or FILE:LINE: warning: TEXT. Errors are what\n"
     L"palimoor.exe refuses (its own message in brackets); warnings are legal lines that\n"
     L"probably do not mean what they say; notes say how the file is read. A section\n"
     L"that palimoor.exe will not load at all gets a line \"[NAME] will not load\".\n"
     L"A file without problems gets one line saying so.\n",
     kCheckOptions, countOf(kCheckOptions),
     L"Exit code: 0 no error (warnings allowed), 1 an error, 2 an unreadable file or a\n"
     L"wrong command line.\n"},
    {L"explain", false, L"FILE SECTION [--codepage N]", L"say in plain English what a rule does",
     explainCommand,
     L"Loads SECTION of FILE exactly as palimoor.exe would and says in plain English what\n"
     L"it will do: the window, the state, what happens at start for each outcome of the\n"
     L"first look, how it waits, the timeout, and each list entry as it will be read.\n"
     L"Keys that palimoor.exe skips are listed first, as notes.\n",
     kExplainOptions, countOf(kExplainOptions),
     L"Exit code: 0 the rule loads, 1 it cannot be loaded, 2 an unreadable file or a wrong\n"
     L"command line.\n"},
    {L"line", false,
     L"RULEFILE SECTION [--exe PATH] [--execmode MODE] [--debug]\n"
     L"[--showicon TRUE|FALSE] [--showtask TRUE|FALSE]\n"
     L"[--lnk FILE] [--ce FILE [--device-path PATH]] [--codepage N]",
     L"the command line (and shortcut) that starts palimoor.exe with a rule", lineCommand,
     L"Prints the exact command line that starts palimoor.exe with SECTION of RULEFILE:\n"
     L"the options asked for, -inifile= as palimoor.exe resolves it (from its own\n"
     L"folder), and -section= last, unquoted, blanks kept. Starting the same section\n"
     L"again stops the waiting instance (the toggle).\n",
     kLineOptions, countOf(kLineOptions),
     L"Exit code: 0 done, 1 the section is missing, cannot be named on a command line,\n"
     L"or does not load, 2 a wrong command line, an unreadable file or one outside\n"
     L"palimoor.exe's folder.\n"},
    {L"windows", true,
     L"[--all] [--json]\n--class CLASS --title TITLE\n--rule FILE SECTION\n--watch [--all]",
     L"list the top-level windows, or which one a rule finds now", ON_WINDOWS(windowsCommand),
     L"Lists the top-level windows with what a rule needs: class, title, visible or\n"
     L"hidden, minimized, the one in front (marked *), process id and program. Visible\n"
     L"windows only, unless --all.\n",
     kWindowsOptions, countOf(kWindowsOptions), L""},
    {L"instances", true, L"[--json]", L"list the waiting Palimoor instances",
     ON_WINDOWS(instancesCommand),
     L"Lists the waiting Palimoor instances: section, process id, whether the\n"
     L"instance is shown among the running tasks (-showtask=TRUE), and what it waits\n"
     L"for, in one sentence.\n",
     kInstancesOptions, countOf(kInstancesOptions), L""},
    {L"status", true, L"[SECTION] [--json]", L"what a waiting instance sees now, and why it waits",
     ON_WINDOWS(statusCommand),
     L"Asks every waiting instance, or the one of SECTION, what it sees: the rule file\n"
     L"and section, trigger, check and polling, since when it waits, how many looks\n"
     L"it has made and what the last one saw (the window, in front or not, minimized\n"
     L"or hidden), in one sentence what it waits for and why that has not happened\n"
     L"yet, the time left before ontimeout, and the window events it listens to. The\n"
     L"instance answers from what it recorded as it looked; asking changes nothing.\n",
     kStatusOptions, countOf(kStatusOptions),
     L"Exit code: 0 every instance answered, 1 none is waiting (or SECTION is not) or\n"
     L"one did not answer, 2 a wrong command line.\n"},
    {L"history", true, L"[SECTION] [--json]", L"what each rule did when its lists ran",
     ON_WINDOWS(historyCommand),
     L"Prints the records palimoor.exe appends each time a list runs, oldest first,\n"
     L"newest last: the time, the rule file and section, which list ran and why (the\n"
     L"condition held, the wait timed out, it did not match), the window it acted on,\n"
     L"and each entry's outcome (a program started with its process id, or not started\n"
     L"with the Windows error; a built-in done, the window gone, or refused). The\n"
     L"history is this user's, at most 64 KB in two files taken in turn, in the local\n"
     L"application data folder; a record that could not be written is counted in the\n"
     L"next one.\n",
     kHistoryOptions, countOf(kHistoryOptions),
     L"Exit code: 0 records printed, 1 none (or none of SECTION), 2 a wrong command line.\n"},
};

// Each further line of `text` indented by `indent`.
std::wstring indented(const wchar_t* text, size_t indent) {
    std::wstring out;
    for (const wchar_t* c = text; *c; ++c)
        out += *c == L'\n' ? L"\n" + std::wstring(indent, L' ') : std::wstring(1, *c);
    return out;
}

std::wstring helpOf(const Subcommand& subcommand) {
    const std::wstring lead = L"usage: palimoorctl " + std::wstring(subcommand.name) + L" ";
    std::wstring out =
        lead + indented(subcommand.synopsis, lead.size()) + L"\n\n" + subcommand.about + L"\n";
    for (size_t i = 0; i < subcommand.optionCount; ++i) {
        const OptionSpec& option = subcommand.options[i];
        std::wstring left = L"  " + std::wstring(option.name);
        if (option.value)
            left += L" " + std::wstring(option.value);
        out += left + std::wstring(left.size() < 19 ? 21 - left.size() : 2, L' ') +
               indented(option.help, 21) + L"\n";
    }
    out += L"\n" + std::wstring(subcommand.after);
    return subcommand.windowsOnly ? out + L"Needs Windows (or Wine).\n" : out;
}

std::wstring overallUsage() {
    std::wstring out = L"usage: palimoorctl COMMAND [ARGUMENTS]\n\n";
    for (const Subcommand& subcommand : kSubcommands) {
        const std::wstring name = subcommand.name;
        out += L"  " + name + std::wstring(11 - name.size(), L' ') + subcommand.summary +
               (subcommand.windowsOnly ? L" (Windows)\n" : L"\n");
    }
    return out + L"\n\"palimoorctl COMMAND --help\" tells more about one command.\n";
}

// "--help" or "-h" where it is no option's value: "--section -h" names [-h].
bool wantsHelp(const Arguments& arguments, const Subcommand& subcommand) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--")
            return false;
        if (argument == L"--help" || argument == L"-h")
            return true;
        for (size_t k = 0; k < subcommand.optionCount; ++k) {
            if (argument == subcommand.options[k].name && subcommand.options[k].value)
                ++i; // its value follows
        }
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
        if (wantsHelp(rest, subcommand)) {
            console.print(helpOf(subcommand));
            return 0;
        }
        ParsedArguments read;
        std::wstring error;
        if (!readArguments(rest, subcommand.options, subcommand.optionCount, read, error) ||
            (read.has(L"--codepage") && !chooseCodePage(read.value(L"--codepage"), error)))
            return usageError(console, error, subcommand.name);
        if (subcommand.windowsOnly && !kHasWindows) {
            console.error(L"palimoorctl " + std::wstring(subcommand.name) +
                          L": needs Windows (run palimoorctl.exe there, or under Wine)\n");
            return 2;
        }
        return subcommand.run(read, console);
    }
    std::vector<std::wstring> names;
    for (const Subcommand& subcommand : kSubcommands)
        names.push_back(subcommand.name);
    const std::wstring meant = likelyMeant(command, names);
    console.error(L"palimoorctl: unknown command " + quoted(command) +
                  (meant.empty() ? L"" : L"; did you mean " + meant + L"?") + L"\n" +
                  overallUsage());
    return 2;
}
