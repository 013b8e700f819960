#include "ctl/write/start_line.h"
#include "base/file_io.h"
#include "base/path_text.h"
#include "ctl/io/program_paths.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/program_reading.h"
#include "ctl/reading/section_names.h"
#include "shell/shell_link.h"

namespace {

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

// A bare file name goes on the desktop, where a user looks for a shortcut.
std::wstring shellLinkPath(const std::wstring& given) {
    const std::wstring desktop = desktopFolder();
    if (given.find_first_of(L"\\/:") != std::wstring::npos || desktop.empty())
        return programForm(given);
    return desktop + L"\\" + given;
}

} // namespace

bool composeStartLine(const std::wstring& exe, const std::wstring& rule,
                      const std::wstring& section, const std::vector<std::wstring>& options,
                      StartLine& start, std::wstring& why, int& code) {
    code = 2;
    if (!readFileChunks(
            rule, [](void*, const char*, size_t) {}, nullptr)) {
        why = L"cannot read " + shownPath(rule);
        return false;
    }
    start.exe = exe;
    start.folder = splitModulePath(exe).directory;
    std::wstring relative;
    if (!isInFolder(rule, start.folder, relative)) {
        why = L"palimoor.exe reads its rule file from its own folder, " + shownPath(start.folder) +
              L", or below it, and " + shownPath(rule) +
              L" is not there: copy it there, or give palimoor.exe's folder with --exe";
        return false;
    }
    if (relative.find(L'"') != std::wstring::npos ||
        relative.find(L"-section=") != std::wstring::npos) {
        why = L"no command line can name the rule file " + quoted(relative);
        return false;
    }
    why = sectionProblem(rule, section);
    if (!why.empty()) {
        code = 1;
        return false;
    }
    start.line.clear();
    for (const std::wstring& option : options)
        start.line += option + L" ";
    start.line += iniFileToken(relative) + L" -section=" + section;
    // The program's own parser must read back exactly this rule.
    const ProgramReading reading = readAsProgram(exe, start.line);
    if (!reading.accepted || reading.settings.section != section ||
        reading.optionReading.ruleFile != rule) {
        why = L"palimoor.exe would not read this command line as meant";
        return false;
    }
    return true;
}

int showStartLine(const StartLine& start, const std::wstring& lnk, const wchar_t* subcommand,
                  const Console& console) {
    const std::wstring name = L"palimoorctl " + std::wstring(subcommand) + L": ";
    // The exact line, as it is; what would not show is said on the side.
    const std::wstring printed = L"\"" + shownPath(start.exe) + L"\" " + start.line;
    console.print(printed + L"\n");
    if (visible(printed) != printed)
        console.error(name +
                      L"the command line holds characters that do not show; printed "
                      L"above as they are, here made visible: " +
                      visible(printed) + L"\n");
    if (lnk.empty())
        return 0;
    const std::wstring link = shellLinkPath(lnk);
    std::wstring why;
    if (!writeShellLink(link, shownPath(start.exe), start.line, shownPath(start.folder), why)) {
        console.error(name + visible(why) + L"\n");
        return 2;
    }
    console.error(name + L"wrote the shortcut " + visible(shownPath(link)) + L"\n");
    return 0;
}
