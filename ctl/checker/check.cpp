#include "ctl/checker/check.h"
#include "base/code_page.h"
#include "base/text_hash.h"
#include "ctl/checker/check_lines.h"
#include "ctl/checker/check_section.h"
#include "ctl/checker/check_survey.h"
#include "ctl/io/code_page_choice.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/section_names.h"
#include "rules/ini_reader.h"
#include "rules/rule_keys.h"
#include "rules/rule_messages.h"
#include <algorithm>
#include <climits>
#include <map>
#include <tuple>

namespace {

struct Checker {
    Checker(const Survey& survey, const std::vector<std::wstring>& asked, const CheckSink& sink,
            CheckReport& report)
        : survey(survey), asked(asked), sink(sink), report(report), wholeFile(asked.empty()) {}

    const Survey& survey;
    const std::vector<std::wstring>& asked;
    const CheckSink& sink;
    CheckReport& report;
    const bool wholeFile;

    std::map<std::wstring, OpenSection> open;
    std::vector<std::pair<int, bool>> verdicts; // first line, loads: one per checked section
    bool inSection = false;
    OpenSection* current = nullptr; // null in a section that is not checked
    int currentHeaderLine = 0;
    std::uint64_t currentHeaderHash = 0;
    // Findings wait here until the line after theirs has been read.
    std::map<std::tuple<int, int, size_t>, CheckFinding> waiting;
    int linesRead = 0;
    int lastSent = 0; // the line of the last finding sent
    size_t arrivals = 0;
    std::vector<CheckFinding> scratch;

    void add(const CheckFinding& finding) {
        waiting.emplace(
            std::make_tuple(finding.line, static_cast<int>(finding.severity), arrivals++), finding);
    }
    void warning(int line, FindingCode code, const std::wstring& message) {
        add({line, Severity::Warning, code, message, L""});
    }
    void addScratch() {
        for (const CheckFinding& finding : scratch)
            add(finding);
        scratch.clear();
    }

    // Sends what lies before the line being read, or up to `through`.
    void flush() { flush(linesRead == INT_MAX ? INT_MAX : linesRead - 1); }
    void flush(int through) {
        while (!waiting.empty() && waiting.begin()->second.line <= through) {
            send(waiting.begin()->second);
            waiting.erase(waiting.begin());
        }
    }
    void send(const CheckFinding& finding) {
        if (finding.severity == Severity::Error)
            ++report.errors;
        else if (finding.severity == Severity::Warning)
            ++report.warnings;
        lastSent = std::max(lastSent, finding.line);
        sink.finding(finding);
    }

    bool isAsked(const std::wstring& name) const {
        return wholeFile || std::find(asked.begin(), asked.end(), name) != asked.end();
    }

    void fileFindings() {
        for (const CheckFinding& finding : wholeFileFindings(survey, asked))
            add(finding);
    }

    void onLine(const std::wstring& text, int number) {
        linesRead = number;
        KeyValue keyValue;
        const LineKind kind = classifyLine(text, keyValue);
        keyValue.line = number;
        if (kind == LineKind::Header) {
            onHeader(text, number);
        } else {
            const bool checked = inSection ? current != nullptr : wholeFile;
            std::wstring name, why;
            FindingCode code = FindingCode::HeaderWithBlanks;
            const bool headerLike = kind != LineKind::BlankOrComment &&
                                    looksLikeHeader(text, name, why, code) && isAsked(name);
            if (headerLike)
                warning(number, code, why);
            bool refused = false;
            if (kind == LineKind::KeyLine && current) {
                refused = keyLineErrors(current->rule, keyValue, scratch);
                current->takeKey(keyValue, refused, scratch);
            }
            if (current && kind != LineKind::BlankOrComment)
                current->lastLine = number;
            if (checked && !headerLike) // checked in a section means `current` is set
                lineWarnings(number, text, kind, keyValue, inSection ? &current->rule : nullptr,
                             refused, scratch);
        }
        addScratch();
        flush();
    }

    void onHeader(const std::wstring& text, int number) {
        endOccurrence();
        inSection = true;
        const std::wstring name = text.substr(1, text.size() - 2);
        if (!isAsked(name))
            return;
        auto found = open.find(name);
        if (found == open.end()) {
            found = open.emplace(name, OpenSection(name, number)).first;
            const std::wstring problem = commandLineNameProblem(name);
            if (!problem.empty())
                warning(number, FindingCode::NameNoCommandLineCarries,
                        sectionText(name) + L" " + problem +
                            L": no shortcut can start it; rename the section");
        } else {
            warning(number, FindingCode::SectionAgain,
                    sectionText(name) + L" appears again (first on " +
                        lineText(found->second.firstLine) + L"); the key lines of both count");
        }
        current = &found->second;
        current->lastLine = number;
        currentHeaderLine = number;
        currentHeaderHash = textHash(text);
    }

    // The occurrence being read ends; so does its section when it was the last.
    void endOccurrence() {
        if (current && survey.lastHeaderLine(currentHeaderHash) == currentHeaderLine)
            finish(current->name);
        current = nullptr;
    }

    void finish(const std::wstring& name) {
        OpenSection& section = open.at(name);
        // Said where it ends, or (a section kept open by a shared hash) where
        // the findings have come to.
        section.lastLine = std::max(section.lastLine, lastSent);
        SectionVerdict verdict{name, section.firstLine, true};
        // The section's lines first; then what the program says once it has
        // read them all, in the order its boxes come, whatever lines they name.
        flush(std::max(section.lastLine, linesRead == INT_MAX ? INT_MAX : linesRead - 1));
        for (const CheckFinding& finding : section.wholeFindings(verdict.loads))
            send(finding);
        const std::wstring note = verdict.loads && sink.note ? sink.note(section.rule) : L"";
        if (!note.empty())
            send({section.firstLine, Severity::Note, FindingCode::NearWindows, note, L""});
        ++report.sections;
        verdicts.emplace_back(section.firstLine, verdict.loads);
        open.erase(name);
        if (!report.verdictsInOrder)
            sink.verdict(verdict);
    }

    void finishFile() {
        endOccurrence();
        while (!open.empty()) { // kept open by a hash two headers share
            auto first =
                std::min_element(open.begin(), open.end(), [](const auto& a, const auto& b) {
                    return a.second.firstLine < b.second.firstLine;
                });
            finish(first->first);
        }
        linesRead = INT_MAX;
        flush();
    }

    // Each section's verdict in order of first appearance, from the headers
    // read once more, then the asked-for ones the file does not have.
    void verdictsInOrder(const std::wstring& path) {
        std::sort(verdicts.begin(), verdicts.end());
        forEachTextLineAs(path, survey.info, [&](const std::wstring& line, int number) {
            if (!isSectionHeader(line))
                return;
            const auto at =
                std::lower_bound(verdicts.begin(), verdicts.end(), std::make_pair(number, false));
            if (at != verdicts.end() && at->first == number)
                sink.verdict({line.substr(1, line.size() - 2), number, at->second});
        });
    }

    void missingVerdicts() {
        for (size_t i = 0; i < asked.size(); ++i) {
            if (survey.found[i])
                continue;
            ++report.sections;
            sink.verdict({asked[i], 0, false});
        }
    }
};

} // namespace

bool checkRuleFile(const std::wstring& path, const std::vector<std::wstring>& sections,
                   const CheckSink& sink, CheckReport& report) {
    Survey survey;
    const bool opened = survey.read(path, sections);
    if (opened && survey.info.encoding == TextEncoding::Ansi && !ansiCodePageReadable()) {
        report.unreadable = cannotConvertText(ansiCodePage());
        return false;
    }
    Checker checker(survey, sections, sink, report);
    if (opened) {
        checker.fileFindings();
        checker.flush();
    }
    // Decoded as the survey found the file: one pass, not two.
    if (!opened || !forEachTextLineAs(path, survey.info, [&](const std::wstring& line, int number) {
            checker.onLine(line, number);
        })) {
        report.unreadable = L"it cannot be opened";
        return false;
    }
    checker.finishFile();
    if (report.verdictsInOrder)
        checker.verdictsInOrder(path);
    checker.missingVerdicts();
    return true;
}
