#include "ctl/reading/program_reading.h"
#include "base/file_io.h"
#include "base/path_text.h"
#include "base/text_compare.h"
#include "ctl/reading/message_box_recorded.h"
#include "ctl/io/program_paths.h"
#include "ctl/io/shown_text.h"
#include "options/option.h"

namespace {

bool isAbsolute(const std::wstring& path) {
    return (!path.empty() && (path[0] == L'\\' || path[0] == L'/')) ||
           (path.size() > 1 && path[1] == L':');
}

const wchar_t* flag(bool value) {
    return value ? L"TRUE" : L"FALSE";
}

} // namespace

std::wstring programFile(const std::wstring& given) {
    if (given.empty())
        return splitModulePath(ownProgramPath()).directory + L"\\palimoor.exe";
    const std::wstring path = programForm(given);
    return isFolder(path) ? path + L"\\palimoor.exe" : path;
}

ProgramReading readAsProgram(const std::wstring& exe, const std::wstring& commandLine) {
    ProgramReading reading;
    takeProgramBoxTexts(); // only this parse's boxes count
    reading.accepted = parseOptions(reading.settings, kProgramName, exe, commandLine);
    reading.boxes = takeProgramBoxTexts();
    reading.optionReading = readOptions(reading.settings, exe, commandLine, reading.accepted);
    takeProgramBoxTexts(); // the refused token again, which is no box of the program's
    return reading;
}

std::vector<CheckFinding>
commandLineFindings(const ProgramReading& reading,
                    const std::function<bool(const std::wstring&)>& isSection) {
    std::vector<CheckFinding> findings;
    auto warn = [&](FindingCode code, const std::wstring& message) {
        findings.push_back({0, Severity::Warning, code, message, L""});
    };
    const size_t lastBox = reading.accepted ? reading.boxes.size() : reading.boxes.size() - 1;
    for (size_t i = 0; i < lastBox; ++i)
        findings.push_back({0, Severity::Warning, FindingCode::ParameterFileLine,
                            L"the parameter file has a refused line; palimoor.exe shows this box "
                            L"and goes on",
                            reading.boxes[i]});
    if (!reading.accepted) {
        findings.push_back({0, Severity::Error, FindingCode::RefusedOption,
                            L"palimoor.exe refuses an option: it shows this box and ends with exit "
                            L"code 1",
                            reading.boxes.back()});
        return findings;
    }
    const std::wstring& section = reading.settings.section;
    const bool sectionGiven = reading.optionReading.sectionGiven;
    if (!sectionGiven)
        warn(FindingCode::NoSectionOption,
             L"no -section=: palimoor.exe looks for a section with an empty name, written []");
    for (const OptionReading::Token& token : reading.optionReading.tokens) {
        if (token.honoured)
            continue;
        if (!sectionGiven && !token.text.empty() && token.text[0] != L'-' && isSection(token.text))
            warn(FindingCode::IgnoredToken, L"palimoor.exe ignores " + quoted(token.text) +
                                                L"; to name that section, write -section=" +
                                                visible(token.text));
        else
            warn(FindingCode::IgnoredToken,
                 L"palimoor.exe ignores " + quoted(token.text) +
                     (startsWithIgnoreCase(token.text, L"-section=")
                          ? L": only \"-section=\" in lower case names the section"
                          : L": it is none of its options"));
    }
    for (size_t at = section.find(L" -"); at != std::wstring::npos;
         at = section.find(L" -", at + 1)) {
        const std::wstring rest = section.substr(at + 1, 16); // longer than every option name
        if (findOption(rest) || startsWithIgnoreCase(rest, L"-paramfile=") ||
            startsWithIgnoreCase(rest, L"-section=")) {
            warn(FindingCode::OptionAfterSection,
                 L"an option after -section= is part of the section name, so the section is " +
                     quoted(section) + L"; put -section= last");
            break;
        }
    }
    if (!section.empty() && (section.front() == L'"' || section.back() == L'"'))
        warn(FindingCode::QuotedSection,
             L"the quotes are part of the section name " + quoted(section) +
                 L"; write the name after -section= as it is, blanks and all, without quotes");
    if (isAbsolute(reading.settings.inifile))
        warn(FindingCode::AbsoluteIniFile,
             L"-inifile=" + visible(reading.settings.inifile) +
                 L" is joined onto palimoor.exe's folder, whatever it begins with; give the path "
                 L"from that folder, as in -inifile=rules.ini");
    return findings;
}

std::wstring describeOptions(const Settings& settings) {
    return L"-execmode=" + std::wstring(execModeWord(settings.execmode)) + L" -showtask=" +
           flag(settings.showtask) + L" -showicon=" + flag(settings.showicon) + L" -debug=" +
           flag(settings.debug);
}
