// `palimoorctl line RULEFILE SECTION [options]`: the command line that starts
// palimoor.exe with a rule, and shortcuts that carry it.
#include "ctl/write/line_command.h"
#include "base/code_page.h"
#include "base/file_io.h"
#include "base/path_text.h"
#include "base/shortcut_text.h"
#include "ctl/io/program_paths.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/message_box_recorded.h"
#include "ctl/reading/program_reading.h"
#include "ctl/reading/section_names.h"
#include "options/option.h"
#include "shell/shell_link.h"

namespace {

struct LineRequest {
    std::wstring rule, section, exe, lnk, ce, devicePath;
    std::vector<std::wstring> options; // as palimoor.exe's option tokens
};

int refuse(const Console& console, const std::wstring& message, int code) {
    console.error(L"palimoorctl line: " + visible(message) + L"\n");
    return code;
}

int parseLineRequest(const ParsedArguments& read, LineRequest& request, const Console& console) {
    if (read.positional.size() != 2)
        return usageError(console, L"needs RULEFILE and SECTION", L"line");
    request.rule = read.positional[0];
    request.section = read.positional[1];
    request.exe = read.value(L"--exe");
    request.lnk = read.value(L"--lnk");
    request.ce = read.value(L"--ce");
    request.devicePath = read.value(L"--device-path");
    for (const auto& option : read.options) {
        if (option.first == L"--debug")
            request.options.push_back(L"-debug=TRUE");
        else if (option.first == L"--execmode" || option.first == L"--showicon" ||
                 option.first == L"--showtask")
            request.options.push_back(L"-" + option.first.substr(2) + L"=" + option.second);
    }
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
std::wstring sectionProblem(const std::wstring& file, const std::wstring& section) {
    const std::wstring problem = commandLineNameProblem(section);
    if (!problem.empty())
        return L"the section " + quoted(section) + L" " + problem + L"; rename the section";
    const SectionLoad load = loadSection(file, section);
    if (load.loaded)
        return std::wstring();
    if (load.found)
        return L"[" + visible(section) +
               L"] does not load (it names no window); \"palimoorctl check\" tells more";
    const std::wstring near = sectionsNear(file, section);
    return L"the file has no section [" + visible(section) + L"] with a key line" +
           (near.empty() ? L"" : L"; did you mean " + near + L"?");
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
                          std::to_wstring(ansiCodePage()) +
                          L": a character has no place in it, or reads back as another one "
                          L"(--codepage N for the handheld's)",
                      2);
    if (!writeFileBytes(request.ce, bytes))
        return refuse(console, L"cannot write " + visible(request.ce), 2);
    return 0;
}

// A bare file name goes on the desktop, where a user looks for a shortcut.
std::wstring shellLinkPath(const std::wstring& given) {
    const std::wstring desktop = desktopFolder();
    if (given.find_first_of(L"\\/:") != std::wstring::npos || desktop.empty())
        return programForm(given);
    return desktop + L"\\" + given;
}

} // namespace

int lineCommand(const ParsedArguments& read, const Console& console) {
    LineRequest request;
    if (const int code = parseLineRequest(read, request, console))
        return code;
    const std::wstring exe = programFile(request.exe);
    const std::wstring rule = programForm(request.rule);
    const std::wstring& section = request.section;
    if (!readFileChunks(
            rule, [](void*, const char*, size_t) {}, nullptr))
        return refuse(console, L"cannot read " + visible(request.rule), 2);
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
    const std::wstring problem = sectionProblem(rule, section);
    if (!problem.empty())
        return refuse(console, problem, 1);

    std::wstring line;
    for (const std::wstring& option : request.options)
        line += option + L" ";
    line += iniFileToken(relative) + L" -section=" + section;
    // The program's own parser must read back exactly this rule.
    const ProgramReading reading = readAsProgram(exe, line);
    if (!reading.accepted || reading.settings.section != section ||
        reading.optionReading.ruleFile != rule)
        return refuse(console, L"palimoor.exe would not read this command line as meant", 2);

    // The exact line, as it is; what would not show is said on the side.
    const std::wstring printed = L"\"" + shownPath(exe) + L"\" " + line;
    console.print(printed + L"\n");
    if (visible(printed) != printed)
        console.error(L"palimoorctl line: the command line holds characters that do not show; "
                      L"printed above as they are, here made visible: " +
                      visible(printed) + L"\n");
    if (!request.lnk.empty()) {
        const std::wstring link = shellLinkPath(request.lnk);
        std::wstring why;
        if (!writeShellLink(link, shownPath(exe), line, shownPath(folder), why))
            return refuse(console, why, 2);
        console.error(L"palimoorctl line: wrote the shortcut " + visible(shownPath(link)) + L"\n");
    }
    if (!request.ce.empty())
        return writeCeShortcut(request, exe, line, console);
    return 0;
}
