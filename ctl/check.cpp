#include "ctl/check.h"
#include "base/text_compare.h"
#include "ctl/text_out.h"
#include "rules/number_text.h"
#include "rules/rule_keys.h"
#include "watch/command_text.h"
#include "watch/launch_text.h"
#include <algorithm>
#include <map>

namespace {

const wchar_t* const kKeyNames[] = {L"class", L"title",   L"check",     L"trigger",   L"sleep",
                                    L"exec",  L"timeout", L"ontimeout", L"onunmatch", L"polling"};

// The key's own name when `key` is one, letter case ignored; else empty.
std::wstring knownKey(const std::wstring& key) {
    for (const wchar_t* name : kKeyNames) {
        if (equalsIgnoreCase(key, name))
            return name;
    }
    return std::wstring();
}

bool isListKey(const std::wstring& name) {
    return name == L"exec" || name == L"ontimeout" || name == L"onunmatch";
}

bool isNumberKey(const std::wstring& name) {
    return name == L"sleep" || name == L"timeout" || name == L"polling";
}

std::wstring expectedValues(const std::wstring& name) {
    if (name == L"check")
        return L"current, change or both";
    if (name == L"trigger")
        return L"closed, running, active, inactive, not_closed, not_running, not_active or "
               L"not_inactive";
    if (name == L"sleep")
        return L"a number of milliseconds, 0 or more";
    if (name == L"timeout")
        return L"infinite, -1, or a number of milliseconds, 1 or more";
    return L"a number of milliseconds, 1 or more";
}

bool hasOuterBlanks(const std::wstring& text) {
    return !text.empty() && trimBlanks(text) != text;
}

struct Checker {
    const RuleScan& scan;
    std::vector<CheckFinding> findings;

    void error(int line, const std::wstring& message, const std::wstring& programMessage) {
        findings.push_back({line, Severity::Error, message, programMessage});
    }
    void warning(int line, const std::wstring& message) {
        findings.push_back({line, Severity::Warning, message, L""});
    }
    const KeyValue& keyValueAt(int line) const { return scan.lines[line - 1].keyValue; }

    // The program's own verdicts: its key parser reports through a collecting reporter.
    void programErrors(const ScannedSection& section) {
        const int header = section.headerLines.front();
        if (section.keys.empty()) {
            error(header,
                  L"section [" + section.name + L"] has no key line, so it cannot be loaded",
                  L"処理対象セクションが見つからない:\n" + section.name);
            return;
        }
        std::vector<Finding> reported;
        Rule rule;
        rule.assignReporter(Reporter::collecting(&reported));
        applyRuleKeys(rule, section.keys);
        for (const Finding& finding : reported) {
            if (finding.line == 0) // the final check: no class, no title
                error(header,
                      L"section [" + section.name + L"] names no window: set class or title",
                      finding.text);
            else if (startsWith(finding.text, L"キー名称不正"))
                unknownKey(finding);
            else
                invalidValue(finding);
        }
    }

    static bool startsWith(const std::wstring& text, const std::wstring& prefix) {
        return text.compare(0, prefix.size(), prefix) == 0;
    }

    void unknownKey(const Finding& finding) {
        const KeyValue& kv = keyValueAt(finding.line);
        std::wstring message = L"unknown key " + quoted(kv.key);
        const std::wstring meant = knownKey(trimBlanks(kv.key));
        if (!meant.empty())
            message += L": blanks around \"=\" belong to the key; write " + meant + L"=";
        error(finding.line, message, finding.text);
    }

    void invalidValue(const Finding& finding) {
        const KeyValue& kv = keyValueAt(finding.line);
        const std::wstring name = knownKey(kv.key);
        std::wstring message = L"invalid value " + quoted(kv.value) + L" for " + name +
                               L": expected " + expectedValues(name);
        if (hasOuterBlanks(kv.value))
            message += L" (blanks are not trimmed)";
        error(finding.line, message, finding.text);
    }

    // Scalar keys set on several valid lines: only the last counts.
    void repeatedScalars(const ScannedSection& section) {
        std::map<std::wstring, std::vector<int>> validLines;
        for (const KeyValue& kv : section.keys) {
            const std::wstring name = knownKey(kv.key);
            if (name.empty() || isListKey(name) || hasError(kv.line))
                continue;
            validLines[name].push_back(kv.line);
        }
        for (const auto& entry : validLines) {
            const std::vector<int>& lines = entry.second;
            for (size_t i = 0; i + 1 < lines.size(); ++i)
                warning(lines[i], entry.first + L" is set again later; line " +
                                      std::to_wstring(lines.back()) + L" wins");
        }
    }

    bool hasError(int line) const {
        for (const CheckFinding& f : findings) {
            if (f.line == line && f.severity == Severity::Error)
                return true;
        }
        return false;
    }

    // Lists that the rule's check mode never runs.
    void unusedLists(const ScannedSection& section) {
        Rule rule; // quiet: the errors are reported above
        applyRuleKeys(rule, section.keys);
        for (const KeyValue& kv : section.keys) {
            const std::wstring name = knownKey(kv.key);
            if (name == L"ontimeout" && rule.check == CheckMode::current) {
                warning(kv.line, L"ontimeout never runs: with check=current the rule never waits");
                return;
            }
            if (name == L"onunmatch" && rule.check == CheckMode::both) {
                warning(kv.line, L"onunmatch never runs: with check=both a state that does not "
                                 L"hold at start is waited for");
                return;
            }
        }
    }

    void lineWarnings(const ScannedLine& line) {
        const std::wstring trimmed = trimBlanks(line.text);
        switch (line.kind) {
        case LineKind::BlankOrComment:
        case LineKind::Header:
            return;
        case LineKind::Other:
            if (isSectionHeader(trimmed))
                warning(line.number, L"looks like a section header but has blanks around it, so "
                                     L"it is not one");
            else if (!trimmed.empty() && trimmed[0] == L';')
                warning(line.number, L"\";\" starts no comment here; only a line beginning with "
                                     L"\"#\" is a comment");
            else if (line.section < 0)
                return;
            else if (!trimmed.empty() && trimmed[0] == L'=')
                warning(line.number, L"line begins with \"=\" (no key) and is ignored");
            else
                warning(line.number, L"line has no \"=\" and is ignored");
            return;
        case LineKind::KeyLine:
            break;
        }
        if (isSectionHeader(trimmed)) {
            warning(line.number, L"looks like a section header but has blanks around it, so it "
                                 L"is not one");
            return;
        }
        if (line.section < 0) {
            warning(line.number, L"key line before the first section header is ignored");
            return;
        }
        if (!trimmed.empty() && trimmed[0] == L';')
            warning(line.number, L"\";\" starts no comment here; only a line beginning with "
                                 L"\"#\" is a comment");
        valueWarnings(line.number, line.keyValue);
    }

    void valueWarnings(int number, const KeyValue& kv) {
        const std::wstring name = knownKey(kv.key);
        if ((name == L"class" || name == L"title") && hasOuterBlanks(kv.value))
            warning(number, name + L" is " + quoted(kv.value) + L" with its blanks; window " +
                                name + (name == L"class" ? L"es" : L"s") + L" must match exactly");
        if (isNumberKey(name) && !hasError(number))
            numberWarning(number, name, kv.value);
        if (isListKey(name))
            entryWarnings(number, kv.value);
    }

    // "250ms" reads as 250 and says so; "30s" reads as 30 and does not.
    void numberWarning(int number, const std::wstring& name, const std::wstring& value) {
        std::int32_t read;
        if (equalsIgnoreCase(value, L"infinite") || !readLeadingInt32(value, 0, read))
            return;
        size_t end = value.find_first_not_of(L" \t\u3000");
        if (end < value.size() && (value[end] == L'+' || value[end] == L'-'))
            ++end;
        end = value.find_first_not_of(L"0123456789", end);
        const std::wstring rest = end == std::wstring::npos ? L"" : trimBlanks(value.substr(end));
        if (!rest.empty() && !equalsIgnoreCase(rest, L"ms"))
            warning(number, name + L"=" + value + L" is read as " + std::to_wstring(read) +
                                L" ms; the text after the number is ignored");
    }

    void entryWarnings(int number, const std::wstring& entry) {
        const SyncSplit split = splitSyncPrefix(entry);
        const std::wstring& text = split.text;
        std::int32_t ms = 0;
        const Builtin builtin = classifyCommand(text, ms);
        const bool badSync =
            startsWithIgnoreCase(entry, L"sync") && entry.size() > 4 &&
            (entry[4] == L'\t' || entry[4] == 0x3000 ||
             (split.sync && !text.empty() && (text[0] == L' ' || text[0] == L'\t')));
        if (badSync)
            warning(number, L"\"sync\" must be followed by exactly one blank; this entry is " +
                                std::wstring(split.sync ? L"started with its extra blanks"
                                                        : L"started as a program"));
        if (builtin == Builtin::External) {
            const Builtin meant = classifyCommand(trimBlanks(text), ms);
            if (meant != Builtin::External && !badSync)
                warning(number, quoted(text) + L" is started as a program, not the built-in " +
                                    trimBlanks(text) + L": remove the blanks");
            if (startsWithIgnoreCase(text, L"sleep ") || equalsIgnoreCase(text, L"sleep"))
                warning(number, quoted(text) + L" has no number after \"sleep \", so it is "
                                               L"started as a program");
        }
        const std::wstring token = L"%%CLIPBOARD%%";
        for (size_t at = 0; at + token.size() <= text.size(); ++at) {
            const std::wstring here = text.substr(at, token.size());
            if (equalsIgnoreCase(here, token) && here != token) {
                warning(number, quoted(here) + L" is not replaced by the clipboard; write " +
                                    token + L" in capitals");
                break;
            }
        }
        if (builtin == Builtin::External && text.find(L'|') == std::wstring::npos &&
            text.size() >= 4) {
            const std::wstring suffix = text.substr(text.size() - 4);
            if (equalsIgnoreCase(suffix, L".lnk") && suffix != L".lnk")
                warning(number, quoted(suffix) + L" is not read as a shortcut: only \".lnk\" in "
                                                 L"lower case is");
        }
    }
};

} // namespace

std::vector<CheckFinding> checkRuleScan(const RuleScan& scan, const std::vector<int>& sections,
                                        bool wholeFile) {
    Checker checker{scan, {}};
    for (int index : sections)
        checker.programErrors(scan.sections[index]);
    std::vector<bool> selected(scan.sections.size(), false);
    for (int index : sections)
        selected[index] = true;
    for (const ScannedLine& line : scan.lines) {
        if (line.section < 0 ? wholeFile : selected[line.section])
            checker.lineWarnings(line);
    }
    for (int index : sections) {
        const ScannedSection& section = scan.sections[index];
        for (size_t i = 1; i < section.headerLines.size(); ++i)
            checker.warning(section.headerLines[i], L"section [" + section.name +
                                                        L"] appears again (first on line " +
                                                        std::to_wstring(section.headerLines[0]) +
                                                        L"); the key lines of both count");
        checker.repeatedScalars(section);
        checker.unusedLists(section);
    }
    std::stable_sort(checker.findings.begin(), checker.findings.end(),
                     [](const CheckFinding& a, const CheckFinding& b) {
                         if (a.line != b.line)
                             return a.line < b.line;
                         return a.severity == Severity::Error && b.severity != Severity::Error;
                     });
    return checker.findings;
}
