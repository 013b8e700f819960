#include "ctl/check.h"
#include "base/file_io.h"
#include "base/code_page.h"
#include "base/text_hash.h"
#include "ctl/check_lines.h"
#include "ctl/spelling.h"
#include "ctl/text_out.h"
#include "rules/ini_reader.h"
#include "rules/rule_keys.h"
#include "rules/text_file.h"
#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <tuple>

namespace {

std::wstring sectionText(const std::wstring& name) {
    return L"section [" + visible(name) + L"]";
}

// The first read: where each header occurs for the last time (by a hash of
// the header, so that memory stays small: two headers that share a hash only
// keep a section open longer), the line ends, and which asked-for sections
// exist.
struct Survey {
    std::vector<std::pair<std::uint64_t, int>> headers; // hash, line; sorted once read

    // The last line a header of this hash is on.
    int lastHeaderLine(std::uint64_t hash) const {
        const auto after =
            std::upper_bound(headers.begin(), headers.end(), std::make_pair(hash, INT_MAX));
        return after == headers.begin() || (after - 1)->first != hash ? 0 : (after - 1)->second;
    }

    int lines = 0;
    int linesWithCr = 0;
    int firstLineWithCr = 0;
    TextFileInfo info;
    std::vector<bool> found;           // per asked-for name
    std::vector<NearestNames> nearest; // per asked-for name

    bool read(const std::wstring& path, const std::vector<std::wstring>& asked) {
        found.assign(asked.size(), false);
        for (const std::wstring& name : asked)
            nearest.emplace_back(name);
        const bool readable = forEachTextLine(
            path,
            [&](const std::wstring& line, int number) {
                lines = number;
                if (line.find(L'\r') != std::wstring::npos && linesWithCr++ == 0)
                    firstLineWithCr = number;
                if (!isSectionHeader(line))
                    return;
                headers.emplace_back(textHash(line), number);
                const std::wstring name = line.substr(1, line.size() - 2);
                for (size_t i = 0; i < asked.size(); ++i) {
                    found[i] = found[i] || name == asked[i];
                    nearest[i].offer(name);
                }
            },
            &info);
        std::sort(headers.begin(), headers.end());
        return readable;
    }
};

// A checked section whose last occurrence has not been read yet.
struct OpenSection {
    OpenSection(const std::wstring& name, int firstLine) : name(name), firstLine(firstLine) {}

    std::wstring name;
    int firstLine;
    size_t verdict = SIZE_MAX; // its place in the report, when every verdict is kept
    int keyLines = 0;
    Rule rule; // its keys so far, as the program applies them; the lists are not kept
    std::map<std::wstring, std::vector<int>> scalarLines; // lines a scalar key is validly set on
    int firstOntimeout = 0;
    int firstOnunmatch = 0;
};

struct Checker {
    Checker(const Survey& survey, const std::vector<std::wstring>& asked, const FindingSink& sink,
            CheckReport& report)
        : survey(survey), asked(asked), sink(sink), report(report), wholeFile(asked.empty()) {}

    const Survey& survey;
    const std::vector<std::wstring>& asked;
    const FindingSink& sink;
    CheckReport& report;
    const bool wholeFile;

    std::map<std::wstring, OpenSection> open;
    std::multiset<int> openFirstLines;
    bool inSection = false;
    OpenSection* current = nullptr; // null in a section that is not checked
    int currentHeaderLine = 0;
    std::uint64_t currentHeaderHash = 0;
    // Findings wait here until neither a line still to be read nor an open
    // section can add one before them.
    std::map<std::tuple<int, int, size_t>, CheckFinding> waiting;
    int linesRead = 0;
    size_t arrivals = 0;
    std::vector<CheckFinding> scratch;

    void add(const CheckFinding& finding) {
        waiting.emplace(
            std::make_tuple(finding.line, static_cast<int>(finding.severity), arrivals++), finding);
    }
    void error(int line, const std::wstring& message, const std::wstring& programMessage) {
        add({line, Severity::Error, message, asBoxShowsIt(programMessage)});
    }
    void warning(int line, const std::wstring& message) {
        add({line, Severity::Warning, message, L""});
    }
    void addScratch() {
        for (const CheckFinding& finding : scratch)
            add(finding);
        scratch.clear();
    }

    void flush() {
        const int before = std::min(linesRead == INT_MAX ? INT_MAX : linesRead + 1,
                                    openFirstLines.empty() ? INT_MAX : *openFirstLines.begin());
        while (!waiting.empty() && waiting.begin()->second.line < before) {
            const CheckFinding& finding = waiting.begin()->second;
            if (finding.severity == Severity::Error)
                ++report.errors;
            else if (finding.severity == Severity::Warning)
                ++report.warnings;
            sink(finding);
            waiting.erase(waiting.begin());
        }
    }

    bool isAsked(const std::wstring& name) const {
        return wholeFile || std::find(asked.begin(), asked.end(), name) != asked.end();
    }

    void fileFindings() {
        const unsigned codePage = ansiCodePage();
        const TextFileInfo& info = survey.info;
        if (info.encoding == TextEncoding::Ansi) {
            add({0, Severity::Note,
                 L"no byte-order mark and not UTF-8: read in code page " +
                     std::to_wstring(codePage) +
                     L", as palimoor.exe reads it where that is the ANSI code page "
                     L"(--codepage N for another)",
                 L""});
            if (info.multiByteUtf8)
                warning(info.firstMalformedLine,
                        L"this line is not valid UTF-8, so palimoor.exe reads the whole file in "
                        L"code page " +
                            std::to_wstring(codePage) +
                            L" though the rest looks like UTF-8; save it as UTF-8");
        } else if (info.encoding == TextEncoding::Utf8Marked && info.firstMalformedLine > 0) {
            warning(info.firstMalformedLine,
                    L"bytes here are not UTF-8; palimoor.exe reads each as U+FFFD");
        }
        if (survey.lines == 1 && survey.linesWithCr == 1) {
            warning(0, L"this file ends lines with CR only; palimoor.exe splits lines at LF, so "
                       L"it reads the whole file as one line");
        } else if (survey.linesWithCr > 0) {
            std::wstring message = L"a carriage return that is no part of a CR LF line end "
                                   L"(CR CR LF?) stays part of the line: palimoor.exe splits "
                                   L"lines at LF";
            if (survey.linesWithCr > 1)
                message += L"; " + std::to_wstring(survey.linesWithCr - 1) +
                           (survey.linesWithCr == 2 ? L" more line has" : L" more lines have") +
                           L" one";
            warning(survey.firstLineWithCr, message);
        }
        if (wholeFile && survey.headers.empty() && survey.lines > 0)
            warning(0, L"no section header in this file: palimoor.exe finds no rule in it");
        for (size_t i = 0; i < asked.size(); ++i) {
            if (survey.found[i])
                continue;
            std::wstring message = sectionText(asked[i]) + L" not found";
            if (!survey.nearest[i].empty())
                message += L"; did you mean " + survey.nearest[i].describe() + L"?";
            error(0, message, L"処理対象セクションが見つからない:\n" + asked[i]);
        }
    }

    void onLine(const std::wstring& text, int number) {
        linesRead = number;
        KeyValue keyValue;
        const LineKind kind = classifyLine(text, keyValue);
        keyValue.line = number;
        if (kind == LineKind::Header) {
            onHeader(text, number);
            return;
        }
        const bool checked = inSection ? current != nullptr : wholeFile;
        std::wstring name, why;
        const bool headerLike =
            kind != LineKind::BlankOrComment && looksLikeHeader(text, name, why) && isAsked(name);
        if (headerLike)
            warning(number, why);
        bool refused = false;
        if (kind == LineKind::KeyLine && current) {
            refused = keyLineErrors(current->rule, keyValue, scratch);
            takeKey(*current, keyValue, refused);
        }
        if (checked && !headerLike)
            lineWarnings(number, text, kind, keyValue, inSection, refused, scratch);
        addScratch();
        flush();
    }

    static void takeKey(OpenSection& section, const KeyValue& keyValue, bool refused) {
        section.rule.exec.clear();
        section.rule.ontimeout.clear();
        section.rule.onunmatch.clear();
        ++section.keyLines;
        const std::wstring name = knownKey(keyValue.key);
        if (name == L"ontimeout" && section.firstOntimeout == 0)
            section.firstOntimeout = keyValue.line;
        if (name == L"onunmatch" && section.firstOnunmatch == 0)
            section.firstOnunmatch = keyValue.line;
        if (!refused && !name.empty() && !isListKey(name))
            section.scalarLines[name].push_back(keyValue.line);
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
            openFirstLines.insert(number);
            if (report.everyVerdict) { // in order of first appearance
                found->second.verdict = report.verdicts.size();
                report.verdicts.push_back({name, number, true});
            }
        } else {
            warning(number, sectionText(name) + L" appears again (first on line " +
                                std::to_wstring(found->second.firstLine) +
                                L"); the key lines of both count");
        }
        current = &found->second;
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
        SectionVerdict verdict{name, section.firstLine, true};
        if (section.keyLines == 0) {
            error(section.firstLine,
                  sectionText(name) + L" has no key line, so it cannot be loaded",
                  L"処理対象セクションが見つからない:\n" + name);
            verdict.loads = false;
        } else {
            std::vector<Finding> reported;
            section.rule.assignReporter(Reporter::collecting(&reported));
            if (!applyRuleKeys(section.rule, {})) {
                error(section.firstLine,
                      sectionText(name) + L" names no window: set class or title",
                      reported.back().text);
                verdict.loads = false;
            }
            repeatedScalars(section);
            unusedLists(section);
        }
        ++report.sections;
        if (section.verdict != SIZE_MAX)
            report.verdicts[section.verdict].loads = verdict.loads;
        else if (!verdict.loads)
            report.verdicts.push_back(verdict);
        openFirstLines.erase(openFirstLines.find(section.firstLine));
        open.erase(name);
        flush();
    }

    // Scalar keys set on several valid lines: only the last counts.
    void repeatedScalars(const OpenSection& section) {
        for (const auto& entry : section.scalarLines) {
            const std::vector<int>& lines = entry.second;
            for (size_t i = 0; i + 1 < lines.size(); ++i)
                warning(lines[i], entry.first + L" is set again later; line " +
                                      std::to_wstring(lines.back()) + L" wins");
        }
    }

    // A list that the rule's check mode never runs.
    void unusedLists(const OpenSection& section) {
        if (section.rule.check == CheckMode::current && section.firstOntimeout > 0)
            warning(section.firstOntimeout,
                    L"ontimeout never runs: with check=current the rule never waits");
        if (section.rule.check == CheckMode::both && section.firstOnunmatch > 0)
            warning(section.firstOnunmatch, L"onunmatch never runs: with check=both a state that "
                                            L"does not hold at start is waited for");
    }

    void end() {
        linesRead = INT_MAX;
        endOccurrence();
        while (!open.empty()) { // kept open by a hash two headers share
            auto first =
                std::min_element(open.begin(), open.end(), [](const auto& a, const auto& b) {
                    return a.second.firstLine < b.second.firstLine;
                });
            finish(first->first);
        }
        flush();
        std::stable_sort(
            report.verdicts.begin(), report.verdicts.end(),
            [](const SectionVerdict& a, const SectionVerdict& b) { return a.line < b.line; });
        for (size_t i = 0; i < asked.size(); ++i) {
            if (!survey.found[i]) {
                ++report.sections;
                report.verdicts.push_back({asked[i], 0, false});
            }
        }
    }
};

} // namespace

bool checkRuleFile(const std::wstring& path, const std::vector<std::wstring>& sections,
                   const FindingSink& sink, CheckReport& report) {
    Survey survey;
    if (!survey.read(path, sections))
        return false;
    Checker checker(survey, sections, sink, report);
    checker.fileFindings();
    checker.flush();
    const bool read = forEachTextLine(
        path, [&](const std::wstring& line, int number) { checker.onLine(line, number); });
    checker.end();
    return read;
}
