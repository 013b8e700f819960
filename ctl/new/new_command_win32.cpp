#include "ctl/new/new_command.h"
#include "ctl/io/json_writer.h"
#include "ctl/io/program_paths.h"
#include "ctl/io/shown_text.h"
#include "ctl/new/demonstration.h"
#include "ctl/new/desktop_recording.h"
#include "ctl/new/rule_proposal.h"
#include "ctl/new/section_writing.h"
#include "ctl/reading/program_reading.h"
#include "ctl/reading/section_names.h"
#include "ctl/write/start_line.h"
#include "rules/rule_keys.h"

namespace {

struct NewRequest {
    std::wstring file, section, trigger, check, exec, lnk, exe;
    std::uint32_t forMs = 0;
    std::size_t pick = 0;
    bool dryRun = false, json = false;
};

int refuse(const Console& console, const std::wstring& message, int code) {
    console.error(L"palimoorctl new: " + visible(message) + L"\n");
    return code;
}

// A keyword the key takes, in its own spelling; false when it takes none such.
bool keyWordOf(RuleField field, const std::wstring& given, std::wstring& word) {
    std::int32_t value = 0;
    const RuleKey& key = ruleKey(field);
    if (!readKeyValue(key, given, value))
        return false;
    word = keyWordFor(key, value);
    return true;
}

int parseNewRequest(const ParsedArguments& read, NewRequest& request, const Console& console) {
    if (read.positional.size() != 2)
        return usageError(console, L"needs FILE and SECTION", L"new");
    request.file = programForm(read.positional[0]);
    request.section = read.positional[1];
    request.exec = read.value(L"--exec");
    request.lnk = read.value(L"--lnk");
    request.exe = read.value(L"--exe");
    request.dryRun = read.has(L"--dry-run");
    request.json = read.has(L"--json");
    const std::wstring seconds = read.value(L"--for"), pick = read.value(L"--pick");
    // Read whole, so that no number wraps into the range: 4294968 s is no 0.7 s.
    const unsigned long long forSeconds = std::wcstoull(seconds.c_str(), nullptr, 10);
    request.forMs = forSeconds <= 3600 ? static_cast<std::uint32_t>(forSeconds) * 1000 : 0;
    request.pick = std::wcstoul(pick.c_str(), nullptr, 10);
    if ((read.has(L"--for") &&
         (request.forMs == 0 || seconds.find_first_not_of(L"0123456789") != std::wstring::npos)) ||
        (read.has(L"--pick") && request.pick == 0))
        return usageError(console, L"--for takes seconds (1 to 3600), --pick a line's number",
                          L"new");
    if ((read.has(L"--trigger") &&
         !keyWordOf(RuleField::Trigger, read.value(L"--trigger"), request.trigger)) ||
        (read.has(L"--check") &&
         !keyWordOf(RuleField::Check, read.value(L"--check"), request.check)))
        return usageError(console, L"--trigger and --check take the rule's own words", L"new");
    const std::wstring problem = commandLineNameProblem(request.section);
    if (!problem.empty() || request.section.empty() ||
        request.section.find_first_of(L"[]") != std::wstring::npos)
        return usageError(console,
                          L"the section " + quoted(request.section) + L" " +
                              (problem.empty() ? L"cannot be a header's name" : problem),
                          L"new");
    if (request.forMs == 0 && !canReadEnter())
        return usageError(console, L"no console or pipe to press Enter in: give --for SECONDS",
                          L"new");
    return 0;
}

} // namespace

int newCommand(const ParsedArguments& read, const Console& console) {
    NewRequest request;
    if (const int code = parseNewRequest(read, request, console))
        return code;
    // Refused before the demonstration, so that nobody shows it for nothing.
    if (fileHasSection(request.file, request.section))
        return refuse(console,
                      shownPath(request.file) + L" has [" + request.section +
                          L"] already; nothing is written (choose another name)",
                      1);
    const Recording recording = recordDesktop(request.forMs, [&] {
        console.error(
            L"Now do it once: open the program, bring it to the front, minimize it, or close "
            L"it; " +
            (request.forMs ? L"recording for " + std::to_wstring(request.forMs / 1000) + L" s"
                           : std::wstring(L"press Enter when done")) +
            L".\n");
    });
    if (recording.interrupted)
        return refuse(console, L"interrupted: nothing is written", 1);
    if (recording.shedSpells > 0)
        console.error(L"palimoorctl new: window events came in a storm (" +
                      std::to_wstring(recording.stormEvents) +
                      L" in 2 s) and were let go of for a while; the looks every 20 ms went on\n");
    const std::vector<DesktopChange>& changes = recording.desktop.changes();
    if (changes.empty())
        return refuse(console,
                      L"nothing changed on the desktop in " +
                          std::to_wstring((recording.ms + 500) / 1000) + L" s; nothing is written",
                      1);
    std::wstring timeline = timelineText(changes);
    if (recording.desktop.ended())
        timeline += L"    " + secondsText(recording.desktop.endedAt()) +
                    L"  the front came back to where you started: the demonstration ends here\n";
    const Pick pick = pickWindow(changes, request.pick);
    if (!pick.found) {
        console.print(timeline);
        return refuse(console, unpickedText(pick, request.pick), 1);
    }
    const DesktopChange& picked = changes[pick.line - 1];
    const RuleProposal proposal =
        proposeRule(changes, picked, demonstrationOf(recording.desktop, picked), request.trigger,
                    request.check);
    // The timeline and what became of it, as JSON: written or not, and why.
    const auto printJson = [&](const std::wstring& text, const SectionWritten& written) {
        JsonWriter json;
        json.beginObject(true).key(L"timeline");
        writeTimelineJson(json, changes);
        json.key(L"picked").value(std::to_wstring(pick.line)).key(L"proposal");
        writeProposalJson(json, proposal);
        json.key(L"section").string(text).key(L"written").boolean(written.written);
        json.key(L"errors").value(std::to_wstring(written.errors));
        json.key(L"warnings").value(std::to_wstring(written.warnings)).close();
        console.print(json.take());
    };
    if (!proposal.found) {
        if (request.json)
            printJson(L"", SectionWritten());
        else
            console.print(timeline);
        console.error(L"palimoorctl new: " + refusalText(proposal));
        return 1;
    }
    const std::wstring text = sectionText(request.section, proposal, request.exec);
    const SectionWritten written =
        writeSection(request.file, request.section, text, request.dryRun);
    if (request.json) {
        printJson(text, written);
    } else if (written.why.empty()) {
        console.print(timeline + L"\nThe window of line " + std::to_wstring(pick.line) + L"; " +
                      (request.dryRun
                           ? L"the section (not written: --dry-run):\n\n"
                           : L"the section added to " + shownPath(request.file) + L":\n\n") +
                      text + L"\n" + written.findings + shownPath(request.file) + L": [" +
                      visible(request.section) + L"] " +
                      (written.errors > 0     ? L"has errors"
                       : written.warnings > 0 ? L"loads, with warnings"
                                              : L"loads, no problems") +
                      L"\n");
    } else {
        console.print(timeline);
    }
    if (!written.why.empty())
        return refuse(console, written.why + L"; it is as it was, and nothing is written", 1);
    if (request.dryRun || request.json)
        return written.errors > 0 ? 1 : 0;
    // Then the command line that starts it, as line prints it.
    StartLine start;
    std::wstring why;
    int code = 0;
    if (!composeStartLine(programFile(request.exe), request.file, request.section, {}, start, why,
                          code)) {
        console.error(L"palimoorctl new: no command line for it yet: " + visible(why) + L"\n");
        return written.errors > 0 ? 1 : 0;
    }
    console.print(proposal.tryFirst + L"\n");
    const int shown = showStartLine(start, request.lnk, L"new", console);
    return shown != 0 ? shown : written.errors > 0 ? 1 : 0;
}
