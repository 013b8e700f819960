#include "ctl/check.h"
#include "base/code_page.h"
#include "base/text_hash.h"
#include "ctl/check_lines.h"
#include "ctl/spelling.h"
#include "ctl/text_out.h"
#include "rules/ini_reader.h"
#include "rules/rule_keys.h"
#include "rules/rule_messages.h"
#include "rules/text_file.h"
#include <algorithm>
#include <climits>
#include <map>
#include <tuple>

namespace {

std::wstring sectionText(const std::wstring& name) {
    return L"section [" + visible(name) + L"]";
}

std::wstring lineText(int line) {
    return L"line " + std::to_wstring(line);
}

std::wstring byteText(unsigned char byte) {
    const wchar_t* const hex = L"0123456789ABCDEF";
    return std::wstring(L"0x") + hex[byte >> 4] + hex[byte & 15];
}

// A line whose bytes look like a header or a key line, but in a double-byte
// code page a lead byte takes the "]" at its end or its "=" with it.
struct SwallowedByte {
    int line = 0;
    unsigned char lead = 0;
    char taken = 0;

    void look(const char* bytes, size_t size, int number) {
        if (size > 0 && bytes[size - 1] == '\r')
            --size; // a CR LF line end: the program reads the line without it
        if (line != 0 || size == 0)
            return;
        bool freeEquals = false, takenEquals = false, takenClose = false;
        unsigned char lastLead = 0;
        for (size_t i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (isAnsiLeadByte(byte) && i + 1 < size && bytes[i + 1] != '\0') {
                const char next = bytes[++i];
                if (next == '=' && !takenEquals)
                    lastLead = byte, takenEquals = true;
                if (next == ']' && i + 1 == size)
                    lastLead = byte, takenClose = true;
            } else if (bytes[i] == '=') {
                freeEquals = true;
            }
        }
        if (takenClose && bytes[0] == '[')
            line = number, lead = lastLead, taken = ']';
        else if (takenEquals && !freeEquals && bytes[0] != '[' && bytes[0] != '#')
            line = number, lead = lastLead, taken = '=';
    }
};

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
    SwallowedByte swallowed;

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
        if (readable && info.encoding == TextEncoding::Ansi && ansiCodePageReadable())
            readRawLines(
                path,
                [](void* context, const char* bytes, size_t size, int number) {
                    static_cast<SwallowedByte*>(context)->look(bytes, size, number);
                },
                &swallowed);
        return readable;
    }
};

// A checked section whose last occurrence has not been read yet.
struct OpenSection {
    OpenSection(const std::wstring& name, int firstLine) : name(name), firstLine(firstLine) {}

    std::wstring name;
    int firstLine;
    int lastLine = 0; // the last that is neither blank nor comment, so far
    int keyLines = 0;
    Rule rule; // its keys so far, as the program applies them; the lists are not kept
    // Per RuleField: the line a scalar key was last validly set on.
    int lastSet[sizeof kRuleKeys / sizeof kRuleKeys[0]] = {};
    int firstOntimeout = 0;
    int firstOnunmatch = 0;
    KeyValue titlematch; // the line that set it last
    int titleLine = 0;   // the title in force, and what to say of its blanks
    std::wstring titleWarning;
};

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

    // Sends what lies before the line being read, or up to `through`.
    void flush() { flush(linesRead == INT_MAX ? INT_MAX : linesRead - 1); }
    void flush(int through) {
        while (!waiting.empty() && waiting.begin()->second.line <= through) {
            const CheckFinding& finding = waiting.begin()->second;
            if (finding.severity == Severity::Error)
                ++report.errors;
            else if (finding.severity == Severity::Warning)
                ++report.warnings;
            lastSent = std::max(lastSent, finding.line);
            sink.finding(finding);
            waiting.erase(waiting.begin());
        }
    }

    bool isAsked(const std::wstring& name) const {
        return wholeFile || std::find(asked.begin(), asked.end(), name) != asked.end();
    }

    void encodingFindings() {
        const std::wstring codePage = std::to_wstring(ansiCodePage());
        const TextFileInfo& info = survey.info;
        if (info.encoding == TextEncoding::Ansi) {
            add({0, Severity::Note,
                 L"no byte-order mark and not UTF-8: read in code page " + codePage +
                     L", as palimoor.exe reads it where that is the ANSI code page "
                     L"(--codepage N for another)" +
                     (ansiCodePageAsWindows()
                          ? L""
                          : L"; this system's converter reads it, and only 932 and 1252 are "
                            L"held to what Windows reads byte for byte"),
                 L""});
            if (info.looksLikeUtf8())
                warning(info.firstMalformedLine,
                        L"this line is not valid UTF-8, so palimoor.exe reads the whole file in "
                        L"code page " +
                            codePage + L" though the rest looks like UTF-8; save it as UTF-8");
        } else if (info.encoding == TextEncoding::Utf8Marked && info.firstMalformedLine > 0) {
            warning(info.firstMalformedLine,
                    L"bytes here are not UTF-8; palimoor.exe reads each as U+FFFD");
        }
        if (const SwallowedByte& s = survey.swallowed; s.line > 0) {
            warning(s.line, L"in code page " + codePage + L" the byte " + byteText(s.lead) +
                                L" begins a double-byte character and takes the \"" +
                                std::wstring(1, static_cast<wchar_t>(s.taken)) +
                                L"\" after it, so this line is " +
                                (s.taken == ']' ? L"no section header" : L"no key line") +
                                L"; if the file was written in another code page, give "
                                L"--codepage N (1252 for Western European Windows)");
        }
    }

    void fileFindings() {
        encodingFindings();
        const bool crOnly = survey.lines == 1 && survey.linesWithCr == 1;
        if (crOnly) {
            error(0,
                  L"this file ends lines with CR only; palimoor.exe splits lines at LF, so it "
                  L"reads the whole file as one line and can load no section of it",
                  L"");
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
        if (wholeFile && survey.headers.empty() && survey.lines > 0 && !crOnly)
            warning(0, L"no section header in this file: palimoor.exe finds no rule in it");
        for (size_t i = 0; i < asked.size(); ++i) {
            if (survey.found[i])
                continue;
            std::wstring message = sectionText(asked[i]) + L" not found";
            if (!survey.nearest[i].none())
                message += L"; did you mean " + survey.nearest[i].describe() + L"?";
            error(0, message, sectionNotFoundMessage(asked[i]));
        }
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
            const bool headerLike = kind != LineKind::BlankOrComment &&
                                    looksLikeHeader(text, name, why) && isAsked(name);
            if (headerLike)
                warning(number, why);
            bool refused = false;
            if (kind == LineKind::KeyLine && current) {
                refused = keyLineErrors(current->rule, keyValue, scratch);
                takeKey(*current, keyValue, refused);
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

    void takeKey(OpenSection& section, const KeyValue& keyValue, bool refused) {
        section.rule.exec.clear();
        section.rule.ontimeout.clear();
        section.rule.onunmatch.clear();
        ++section.keyLines;
        const RuleKey* key = findRuleKey(keyValue.key);
        if (!key || refused)
            return;
        if (key->field == RuleField::OnTimeout && section.firstOntimeout == 0)
            section.firstOntimeout = keyValue.line;
        if (key->field == RuleField::OnUnmatch && section.firstOnunmatch == 0)
            section.firstOnunmatch = keyValue.line;
        if (key->field == RuleField::TitleMatch)
            section.titlematch = keyValue;
        if (key->field == RuleField::Title) {
            section.titleLine = keyValue.line;
            section.titleWarning = titleBlanksWarning(keyValue.value);
        }
        if (key->kind == KeyKind::List)
            return;
        int& last = section.lastSet[static_cast<int>(key->field)];
        if (last != 0)
            scratch.push_back(
                {keyValue.line, Severity::Warning,
                 std::wstring(key->name) + L" is set again: this line replaces " + lineText(last),
                 L""});
        last = keyValue.line;
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
                warning(number, sectionText(name) + L" " + problem +
                                    L": no shortcut can start it; rename the section");
        } else {
            warning(number, sectionText(name) + L" appears again (first on " +
                                lineText(found->second.firstLine) +
                                L"); the key lines of both count");
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
        if (section.keyLines == 0) {
            error(section.firstLine,
                  sectionText(name) + L" has no key line, so it cannot be loaded",
                  sectionNotFoundMessage(name));
            verdict.loads = false;
        } else {
            std::vector<Finding> reported;
            section.rule.assignReporter(Reporter::collecting(&reported));
            verdict.loads = finishRuleKeys(section.rule, section.titlematch);
            for (const Finding& finding : reported) {
                if (finding.id == MessageId::BadValue)
                    error(finding.line,
                          L"titlematch (" + lineText(finding.line) +
                              L") has no title to compare: set title or leave titlematch out",
                          finding.text);
                else if (finding.id == MessageId::NoWindow)
                    error(section.firstLine,
                          sectionText(name) + L" names no window: set class, title or process",
                          finding.text);
            }
            if (!section.titleWarning.empty() && section.rule.titlematch == TitleMatch::exact)
                warning(section.titleLine, section.titleWarning);
            unusedLists(section);
        }
        ++report.sections;
        verdicts.emplace_back(section.firstLine, verdict.loads);
        flush(std::max(section.lastLine, linesRead == INT_MAX ? INT_MAX : linesRead - 1));
        open.erase(name);
        if (!report.verdictsInOrder)
            sink.verdict(verdict);
    }

    // A list that the rule's check mode never runs, said at its first line.
    void unusedLists(const OpenSection& section) {
        if (section.rule.check == CheckMode::current && section.firstOntimeout > 0)
            warning(section.firstOntimeout,
                    L"ontimeout never runs: with check=current the rule never waits");
        if (section.rule.check == CheckMode::both && section.firstOnunmatch > 0)
            warning(section.firstOnunmatch, L"onunmatch never runs: with check=both a state that "
                                            L"does not hold at start is waited for");
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
        forEachTextLine(path, [&](const std::wstring& line, int number) {
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
    if (!survey.read(path, sections)) {
        report.unreadable = L"it cannot be opened";
        return false;
    }
    if (survey.info.encoding == TextEncoding::Ansi && !ansiCodePageReadable()) {
        report.unreadable = L"this system cannot convert code page " +
                            std::to_wstring(ansiCodePage()) +
                            L", in which palimoor.exe reads a file that is neither marked nor "
                            L"UTF-8 (--codepage N for another)";
        return false;
    }
    Checker checker(survey, sections, sink, report);
    checker.fileFindings();
    checker.flush();
    if (!forEachTextLine(
            path, [&](const std::wstring& line, int number) { checker.onLine(line, number); })) {
        report.unreadable = L"it cannot be opened";
        return false;
    }
    checker.finishFile();
    if (report.verdictsInOrder)
        checker.verdictsInOrder(path);
    checker.missingVerdicts();
    return true;
}
