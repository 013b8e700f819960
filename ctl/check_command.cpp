// `palimoorctl check FILE [--section NAME]... [--json] [--quiet] [--codepage N]`
// `palimoorctl check --command-line TEXT [--exe PATH] [--json] [--codepage N]`
#include "base/file_io.h"
#include "base/code_page.h"
#include "ctl/check.h"
#include "ctl/commands.h"
#include "ctl/program_paths.h"
#include "ctl/program_reading.h"
#include "ctl/text_out.h"
#include <algorithm>
#include <cwchar>

namespace {

const wchar_t* const kHelp =
    L"usage: palimoorctl check FILE [--section NAME]... [--json] [--quiet] [--codepage N]\n"
    L"       palimoorctl check --command-line TEXT [--exe PATH] [--json] [--codepage N]\n"
    L"\n"
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
    L"wrong command line.\n";

struct Request {
    std::wstring file;
    std::vector<std::wstring> sections;
    bool json = false;
    bool quiet = false;
    bool commandLineGiven = false;
    std::wstring commandLine;
    std::wstring exe;
};

// Writes the findings as they come, in large pieces, in either form.
struct Output {
    const Console& console;
    bool json;
    std::wstring pending;
    size_t written = 0;

    void text(const std::wstring& piece) {
        pending += piece;
        if (pending.size() > 32768)
            send();
    }
    void send() {
        console.print(pending);
        pending.clear();
    }
    void finding(const std::wstring& file, const CheckFinding& finding) {
        if (json)
            text((written++ == 0 ? L"\n    " : L",\n    ") + findingJson(file, finding));
        else
            text(formatFinding(file, finding, console.colour));
    }
};

int parseRequest(const Arguments& arguments, Request& request, const Console& console) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        std::wstring value;
        bool missing = false;
        if (argument == L"--json") {
            request.json = true;
        } else if (argument == L"--quiet") {
            request.quiet = true;
        } else if (optionValue(arguments, i, L"--section", value, missing)) {
            if (!missing && std::find(request.sections.begin(), request.sections.end(), value) ==
                                request.sections.end())
                request.sections.push_back(value);
        } else if (optionValue(arguments, i, L"--codepage", value, missing)) {
            wchar_t* end = nullptr;
            const unsigned long codePage = missing ? 0 : std::wcstoul(value.c_str(), &end, 10);
            if (!missing && (codePage == 0 || *end != L'\0' || !selectAnsiCodePage(codePage)))
                return usageError(console, L"no code page " + quoted(value) + L" here", L"check");
        } else if (optionValue(arguments, i, L"--command-line", value, missing)) {
            request.commandLineGiven = true;
            request.commandLine = value;
        } else if (optionValue(arguments, i, L"--exe", value, missing)) {
            request.exe = value;
        } else if (argument.size() > 1 && argument[0] == L'-') {
            return usageError(console, L"unknown option " + quoted(argument), L"check");
        } else if (request.file.empty()) {
            request.file = argument;
        } else {
            return usageError(console, L"one file at a time", L"check");
        }
        if (missing)
            return usageError(console, argument + L" needs a value", L"check");
    }
    if (request.commandLineGiven && (!request.file.empty() || !request.sections.empty()))
        return usageError(console, L"--command-line names the file and the section itself",
                          L"check");
    if (!request.commandLineGiven && request.file.empty())
        return usageError(console, L"which file?", L"check");
    return 0;
}

// The file's findings, verdicts and summary; the exit code.
int checkFile(const std::wstring& file, const std::wstring& shown,
              const std::vector<std::wstring>& sections, const Request& request, Output& out,
              std::vector<CheckFinding> leading) {
    CheckReport report;
    report.everyVerdict = request.json;
    for (const CheckFinding& finding : leading)
        out.finding(L"(command line)", finding);
    const bool read = checkRuleFile(
        file, sections, [&](const CheckFinding& finding) { out.finding(shown, finding); }, report);
    if (!read) {
        out.pending.clear(); // nothing has come from an unreadable file
        out.console.error(L"palimoorctl check: cannot read " + visible(shown) + L"\n");
        return 2;
    }
    for (const CheckFinding& finding : leading) {
        report.errors += finding.severity == Severity::Error;
        report.warnings += finding.severity == Severity::Warning;
    }
    if (request.json) {
        out.text(std::wstring(out.written ? L"\n  ],\n" : L"],\n") + L"  \"sections\": [");
        for (size_t i = 0; i < report.verdicts.size(); ++i)
            out.text((i == 0 ? L"\n    " : L",\n    ") + verdictJson(report.verdicts[i]));
        out.text(std::wstring(report.verdicts.empty() ? L"]" : L"\n  ]") + L",\n  \"errors\": " +
                 std::to_wstring(report.errors) + L",\n  \"warnings\": " +
                 std::to_wstring(report.warnings) + L"\n}\n");
    } else {
        for (const SectionVerdict& verdict : report.verdicts) {
            if (!verdict.loads)
                out.text(formatVerdict(shown, verdict));
        }
        const int count = report.sections;
        if (report.errors == 0 && report.warnings == 0 && !request.quiet)
            out.text(visible(shown) + L": " + std::to_wstring(count) +
                     (count == 1 ? L" section" : L" sections") + L", no problems\n");
    }
    out.send();
    return report.errors > 0 ? 1 : 0;
}

int checkCommandLine(const Request& request, Output& out) {
    const std::wstring exe = programFile(request.exe);
    const ProgramReading reading = readAsProgram(exe, request.commandLine);
    std::vector<CheckFinding> findings = commandLineFindings(reading);
    const std::wstring rule = shownPath(reading.ruleFile);
    const bool ruleThere = readFileChunks(
        reading.ruleFile, [](void*, const char*, size_t) {}, nullptr);
    if (request.json) {
        out.text(L"{\n  \"command_line\": {\"program\": " + jsonString(shownPath(exe)) +
                 L", \"options\": " + jsonString(describeOptions(reading.settings)) +
                 L", \"parameter_file\": " + jsonString(shownPath(reading.paramFile)) +
                 L", \"rule_file\": " + jsonString(rule) + L", \"rule_file_exists\": " +
                 (ruleThere ? L"true" : L"false") + L", \"section\": " +
                 jsonString(reading.settings.section) + L"},\n  \"file\": " + jsonString(rule) +
                 L",\n  \"findings\": [");
    } else {
        out.text(L"palimoor.exe (" + visible(shownPath(exe)) + L") reads this command line as:\n" +
                 L"  options:        " + describeOptions(reading.settings) + L"\n" +
                 L"  parameter file: " + visible(shownPath(reading.paramFile)) + L"\n" +
                 L"  rule file:      " + visible(rule) + (ruleThere ? L"\n" : L" (not there)\n") +
                 L"  section:        " + quoted(reading.settings.section) + L"\n");
    }
    const bool refused = !reading.accepted;
    if (refused || !ruleThere) {
        if (!refused)
            findings.push_back({0, Severity::Error,
                                L"the rule file is not there: palimoor.exe shows its "
                                L"load-failure box and ends with exit code 1",
                                L""});
        int warnings = 0;
        for (const CheckFinding& finding : findings) {
            out.finding(L"(command line)", finding);
            warnings += finding.severity == Severity::Warning;
        }
        if (request.json)
            out.text(L"\n  ],\n  \"sections\": [],\n  \"errors\": 1,\n  \"warnings\": " +
                     std::to_wstring(warnings) + L"\n}\n");
        out.send();
        return 1;
    }
    return checkFile(reading.ruleFile, rule, {reading.settings.section}, request, out, findings);
}

} // namespace

int checkCommand(const Arguments& arguments, const Console& console) {
    if (wantsHelp(arguments)) {
        console.print(kHelp);
        return 0;
    }
    Request request;
    if (const int code = parseRequest(arguments, request, console))
        return code;
    Output out{console, request.json, L"", 0};
    if (request.commandLineGiven)
        return checkCommandLine(request, out);
    if (request.json)
        out.text(L"{\n  \"file\": " + jsonString(request.file) + L",\n  \"findings\": [");
    return checkFile(request.file, request.file, request.sections, request, out, {});
}
