// `palimoorctl check FILE [--section NAME]... [--json] [--quiet] [--codepage N]`
// `palimoorctl check --command-line TEXT [--exe PATH] [--json] [--codepage N]`
#include "ctl/check/check_command.h"
#include "base/file_io.h"
#include "ctl/checker/check.h"
#include "ctl/io/json_writer.h"
#include "ctl/observed/desktop_look.h"
#include "ctl/observed/near_miss.h"
#include "ctl/reading/section_names.h"
#include "ctl/io/program_paths.h"
#include "ctl/reading/program_reading.h"
#include "ctl/io/shown_text.h"
#include "rules/ini_reader.h"
#include "rules/text_file.h"
#include <algorithm>

namespace {

struct Request {
    std::wstring file;
    std::vector<std::wstring> sections;
    bool json = false;
    bool msvc = false; // findings as compilers write them
    bool quiet = false;
    bool commandLineGiven = false;
    std::wstring commandLine;
    std::wstring exe;
};

// Writes the findings and verdicts as they come, in large pieces, in either form.
struct Output {
    const Console& console;
    bool json;
    bool msvc;
    JsonWriter writer;
    std::wstring pending;
    bool inSections = false;

    void text(const std::wstring& piece) {
        pending += piece;
        if (pending.size() > 32768)
            send();
    }
    void send() {
        console.print(pending + writer.take());
        pending.clear();
    }
    void finding(const std::wstring& file, const CheckFinding& finding) {
        if (json)
            writeFindingJson(writer, file, finding);
        text(json   ? writer.take()
             : msvc ? formatFindingMsvc(file, finding)
                    : formatFinding(file, finding, console.colour));
    }
    // The JSON closes with the numbers of errors and warnings.
    void closeJson(int errors, int warnings) {
        sections();
        writer.close()
            .key(L"errors")
            .value(std::to_wstring(errors))
            .key(L"warnings")
            .value(std::to_wstring(warnings))
            .close();
    }
    // The JSON's "sections" follow its "findings".
    void sections() {
        if (json && !inSections)
            text(writer.close().key(L"sections").beginArray(true).take());
        inSections = true;
    }
    void verdict(const std::wstring& file, const SectionVerdict& verdict) {
        sections();
        if (json) {
            writeVerdictJson(writer, verdict);
            text(writer.take());
        } else if (!verdict.loads) {
            text(formatVerdict(file, verdict, msvc));
        }
    }
};

int parseRequest(const ParsedArguments& read, Request& request, const Console& console) {
    const std::wstring format = read.value(L"--format");
    if (!format.empty() && format != L"text" && format != L"msvc" && format != L"json")
        return usageError(console, L"--format takes text, msvc or json, not " + quoted(format),
                          L"check");
    if (read.has(L"--json") && !format.empty() && format != L"json")
        return usageError(
            console, L"--json and --format " + format + L" ask for two forms; give one", L"check");
    request.json = read.has(L"--json") || format == L"json";
    request.msvc = format == L"msvc";
    request.quiet = read.has(L"--quiet");
    for (const std::wstring& name : read.values(L"--section")) {
        if (std::find(request.sections.begin(), request.sections.end(), name) ==
            request.sections.end())
            request.sections.push_back(name);
    }
    request.commandLineGiven = read.has(L"--command-line");
    request.commandLine = read.value(L"--command-line");
    request.exe = read.value(L"--exe");
    if (read.positional.size() > 1) {
        const std::wstring& second = read.positional[1];
        return usageError(console,
                          fileHasSection(read.positional[0], second)
                              ? L"one file at a time; did you mean --section " + quoted(second) +
                                    L"?"
                              : std::wstring(L"one file at a time"),
                          L"check");
    }
    if (!read.positional.empty())
        request.file = read.positional[0];
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
              const std::vector<CheckFinding>& leading) {
    CheckReport report;
    report.verdictsInOrder = request.json;
    for (const CheckFinding& finding : leading) {
        out.finding(L"(command line)", finding);
        report.errors += finding.severity == Severity::Error;
        report.warnings += finding.severity == Severity::Warning;
    }
    // Where there is a desktop, a section whose window is nowhere names the
    // windows it nearly finds.
    DesktopLook desktop;
    const bool looked = desktopNow(desktop);
    const CheckSink sink{[&](const CheckFinding& finding) { out.finding(shown, finding); },
                         [&](const SectionVerdict& verdict) { out.verdict(shown, verdict); },
                         [&](const Rule& rule) {
                             const std::vector<NearMiss> nearby =
                                 looked ? nearMisses(rule, desktop) : std::vector<NearMiss>();
                             std::wstring text;
                             for (const NearMiss& miss : nearby)
                                 text += (text.empty() ? L"" : L" / ") + nearMissText(miss);
                             return nearby.empty()
                                        ? text
                                        : L"no window is the rule's now; the nearest: " + text;
                         }};
    if (!checkRuleFile(file, sections, sink, report)) {
        out.pending.clear(); // nothing has come from an unreadable file
        out.writer.take();
        out.console.error(L"palimoorctl check: cannot read " + visible(shown) + L": " +
                          report.unreadable + L"\n");
        return 2;
    }
    if (request.json) {
        out.closeJson(report.errors, report.warnings);
    } else if (report.errors == 0 && report.warnings == 0 && !request.quiet) {
        const int count = report.sections;
        out.text(visible(shown) + L": " + std::to_wstring(count) +
                 (count == 1 ? L" section" : L" sections") + L", no problems\n");
    }
    out.send();
    return report.errors > 0 ? 1 : 0;
}

int checkCommandLine(const Request& request, Output& out) {
    const std::wstring exe = programFile(request.exe);
    const ProgramReading reading = readAsProgram(exe, request.commandLine);
    const std::wstring& ruleFile = reading.optionReading.ruleFile;
    const bool ruleThere = readFileChunks(
        ruleFile, [](void*, const char*, size_t) {}, nullptr);
    std::vector<CheckFinding> findings =
        commandLineFindings(reading, [&](const std::wstring& name) {
            return ruleThere && fileHasSection(ruleFile, name);
        });
    const std::wstring rule = shownPath(ruleFile);
    if (request.json) {
        out.writer.beginObject(true).key(L"command_line").beginObject();
        out.writer.key(L"program").string(shownPath(exe));
        out.writer.key(L"options").string(describeOptions(reading.settings));
        out.writer.key(L"parameter_file").string(shownPath(reading.optionReading.paramFile));
        out.writer.key(L"rule_file").string(rule).key(L"rule_file_exists").boolean(ruleThere);
        out.writer.key(L"section").string(reading.settings.section).close();
        out.writer.key(L"file").string(rule).key(L"findings").beginArray(true);
    } else {
        out.text(L"palimoor.exe (" + visible(shownPath(exe)) + L") reads this command line as:\n" +
                 L"  options:        " + describeOptions(reading.settings) + L"\n" +
                 L"  parameter file: " + visible(shownPath(reading.optionReading.paramFile)) +
                 L"\n" + L"  rule file:      " + visible(rule) +
                 (ruleThere ? L"\n" : L" (not there)\n") + L"  section:        " +
                 quoted(reading.settings.section) + L"\n");
    }
    if (reading.accepted && ruleThere)
        return checkFile(ruleFile, rule, {reading.settings.section}, request, out, findings);
    if (reading.accepted)
        findings.push_back({0, Severity::Error, FindingCode::RuleFileMissing,
                            L"the rule file is not there: palimoor.exe shows its "
                            L"load-failure box and ends with exit code 1",
                            L""});
    int warnings = 0;
    for (const CheckFinding& finding : findings) {
        out.finding(L"(command line)", finding);
        warnings += finding.severity == Severity::Warning;
    }
    if (request.json)
        out.closeJson(1, warnings);
    out.send();
    return 1;
}

} // namespace

int checkCommand(const ParsedArguments& read, const Console& console) {
    Request request;
    if (const int code = parseRequest(read, request, console))
        return code;
    Output out{console, request.json, request.msvc, {}, L"", false};
    if (request.commandLineGiven)
        return checkCommandLine(request, out);
    if (request.json)
        out.writer.beginObject(true)
            .key(L"file")
            .string(request.file)
            .key(L"findings")
            .beginArray(true);
    return checkFile(request.file, request.file, request.sections, request, out, {});
}
