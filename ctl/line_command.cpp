// `palimoorctl line RULEFILE SECTION [options]`: the command line that starts
// palimoor.exe with a rule, and shortcuts that carry it.
#include "base/file_io.h"
#include "base/code_page.h"
#include "base/path_text.h"
#include "base/shortcut_text.h"
#include "ctl/commands.h"
#include "shell/shell_link.h"
#include "ctl/program_paths.h"
#include "ctl/program_boxes.h"
#include "ctl/program_reading.h"
#include "ctl/spelling.h"
#include "ctl/text_out.h"
#include "options/option.h"
#include "rules/ini_reader.h"
#include "rules/text_file.h"

namespace {

const wchar_t* const kHelp =
    L"usage: palimoorctl line RULEFILE SECTION [--exe PATH] [--execmode MODE] [--debug]\n"
    L"                        [--showicon TRUE|FALSE] [--showtask TRUE|FALSE]\n"
    L"                        [--lnk FILE] [--ce FILE [--device-path PATH]] [--codepage N]\n"
    L"\n"
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
    L"  --lnk FILE          also write a desktop shortcut to FILE (Windows)\n"
    L"  --ce FILE           also write a Windows CE shortcut to FILE\n"
    L"  --device-path PATH  palimoor.exe on the handheld, for --ce (default:\n"
    L"                      \\Program Files\\Palimoor\\ and the program's file name)\n"
    L"  --codepage N        the handheld's ANSI code page, for a --ce shortcut with\n"
    L"                      other than ASCII text (default as for \"check\")\n"
    L"\n"
    L"Exit code: 0 done, 1 the section is missing, cannot be named on a command line,\n"
    L"or does not load, 2 a wrong command line, an unreadable file or one outside\n"
    L"palimoor.exe's folder.\n";

struct LineRequest {
    std::vector<std::wstring> positional;
    std::wstring exe, lnk, ce, devicePath;
    std::vector<std::wstring> options; // as palimoor.exe's option tokens
};

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == 0x3000;
}

int refuse(const Console& console, const std::wstring& message, int code) {
    console.error(L"palimoorctl line: " + visible(message) + L"\n");
    return code;
}

int parseLineRequest(const Arguments& arguments, LineRequest& request, const Console& console) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        std::wstring value;
        bool missing = false;
        if (argument == L"--") { // the rest is RULEFILE and SECTION, even with a leading "-"
            request.positional.insert(request.positional.end(), arguments.begin() + i + 1,
                                      arguments.end());
            break;
        }
        if (argument == L"--debug") {
            request.options.push_back(L"-debug=TRUE");
        } else if (optionValue(arguments, i, L"--execmode", value, missing)) {
            request.options.push_back(L"-execmode=" + value);
        } else if (optionValue(arguments, i, L"--showicon", value, missing)) {
            request.options.push_back(L"-showicon=" + value);
        } else if (optionValue(arguments, i, L"--showtask", value, missing)) {
            request.options.push_back(L"-showtask=" + value);
        } else if (optionValue(arguments, i, L"--exe", value, missing)) {
            request.exe = value;
        } else if (optionValue(arguments, i, L"--lnk", value, missing)) {
            request.lnk = value;
        } else if (optionValue(arguments, i, L"--ce", value, missing)) {
            request.ce = value;
        } else if (optionValue(arguments, i, L"--device-path", value, missing)) {
            request.devicePath = value;
        } else if (optionValue(arguments, i, L"--codepage", value, missing)) {
            const unsigned long codePage = missing ? 0 : std::wcstoul(value.c_str(), nullptr, 10);
            if (!missing && !selectAnsiCodePage(static_cast<unsigned>(codePage)))
                return usageError(console, L"no code page " + quoted(value) + L" here", L"line");
        } else if (argument.size() > 1 && argument[0] == L'-') {
            return usageError(console, L"unknown option " + quoted(argument), L"line");
        } else {
            request.positional.push_back(argument);
        }
        if (missing)
            return usageError(console, argument + L" needs a value", L"line");
    }
    if (request.positional.size() != 2)
        return usageError(console, L"needs RULEFILE and SECTION", L"line");
    // The values palimoor.exe refuses, with its own parser.
    for (const std::wstring& option : request.options) {
        Settings scratch;
        if (!parseOption(scratch, option)) {
            takeProgramBoxTexts();
            return usageError(console, L"palimoor.exe refuses " + quoted(option), L"line");
        }
    }
    return 0;
}

// Why the section cannot be started, or empty.
std::wstring sectionProblem(const std::wstring& file, const std::wstring& section, int& code) {
    code = 1;
    if (!section.empty() && (isBlank(section.front()) || isBlank(section.back())))
        return L"the section " + quoted(section) +
               L" begins or ends with a blank, which a shortcut or a shell does not keep; "
               L"rename the section";
    if (section.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos)
        return L"the section " + quoted(section) +
               L" holds a line break or NUL, which no "
               L"command line carries";
    std::vector<Finding> reported;
    Rule rule;
    rule.assignReporter(Reporter::collecting(&reported));
    if (readRuleSection(rule, file, section))
        return std::wstring();
    const std::wstring notFound = L"処理対象セクションが見つからない";
    for (const Finding& finding : reported) {
        if (finding.text.compare(0, notFound.size(), notFound) != 0)
            continue;
        NearestNames nearest(section);
        forEachTextLine(file, [&](const std::wstring& line, int) {
            if (isSectionHeader(line))
                nearest.offer(line.substr(1, line.size() - 2));
        });
        return L"the file has no section [" + visible(section) + L"] with a key line" +
               (nearest.empty() ? L"" : L"; did you mean " + nearest.describe() + L"?");
    }
    return L"[" + visible(section) +
           L"] does not load (it names no window); \"palimoorctl check\" tells more";
}

// The -inifile= token for a path from palimoor.exe's folder.
std::wstring iniFileToken(const std::wstring& relative) {
    if (relative.find_first_of(L" \t") == std::wstring::npos)
        return L"-inifile=" + relative;
    return L"-inifile=\"" + relative + L"\"";
}

int writeCeShortcut(const LineRequest& request, const std::wstring& exe,
                    const std::wstring& arguments, const Console& console) {
    const std::wstring device = request.devicePath.empty()
                                    ? L"\\Program Files\\Palimoor\\" + splitModulePath(exe).fileName
                                    : request.devicePath;
    std::string bytes;
    if (!encodeAnsiCodePage(composeCeShortcutText(L"\"" + device + L"\" " + arguments), bytes))
        return refuse(console,
                      L"the shortcut's text does not fit code page " +
                          std::to_wstring(ansiCodePage()) + L" (--codepage N for the handheld's)",
                      2);
    if (!writeFileBytes(request.ce, bytes))
        return refuse(console, L"cannot write " + visible(request.ce), 2);
    return 0;
}

} // namespace

int lineCommand(const Arguments& arguments, const Console& console) {
    if (wantsHelp(arguments)) {
        console.print(kHelp);
        return 0;
    }
    LineRequest request;
    if (const int code = parseLineRequest(arguments, request, console))
        return code;
    const std::wstring exe = programFile(request.exe);
    const std::wstring rule = programForm(request.positional[0]);
    const std::wstring& section = request.positional[1];
    if (!readFileChunks(
            rule, [](void*, const char*, size_t) {}, nullptr))
        return refuse(console, L"cannot read " + visible(request.positional[0]), 2);
    const std::wstring folder = splitModulePath(exe).directory;
    std::wstring relative;
    if (!isInFolder(rule, folder, relative))
        return refuse(console,
                      L"palimoor.exe reads its rule file from its own folder, " +
                          visible(shownPath(folder)) + L", or below it, and " +
                          visible(shownPath(rule)) +
                          L" is not there: copy it there, or give palimoor.exe's folder with "
                          L"--exe",
                      2);
    if (relative.find(L'"') != std::wstring::npos ||
        relative.find(L"-section=") != std::wstring::npos)
        return refuse(console, L"no command line can name the rule file " + quoted(relative), 2);
    int code = 0;
    const std::wstring problem = sectionProblem(rule, section, code);
    if (!problem.empty())
        return refuse(console, problem, code);

    std::wstring line;
    for (const std::wstring& option : request.options)
        line += option + L" ";
    line += iniFileToken(relative) + L" -section=" + section;
    // The program's own parser must read back exactly this rule.
    const ProgramReading reading = readAsProgram(exe, line);
    if (!reading.accepted || reading.settings.section != section || reading.ruleFile != rule)
        return refuse(console, L"palimoor.exe would not read this command line as meant", 2);

    console.print(L"\"" + visible(shownPath(exe)) + L"\" " + visible(line) + L"\n");
    std::wstring why;
    if (!request.lnk.empty() &&
        !writeShellLink(programForm(request.lnk), shownPath(exe), line, shownPath(folder), why))
        return refuse(console, why, 2);
    if (!request.ce.empty())
        return writeCeShortcut(request, exe, line, console);
    return 0;
}
