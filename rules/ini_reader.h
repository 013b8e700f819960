// Finding the selected section in the rule file.
#pragma once
#include "base/reporter.h"
#include "base/settings.h"
#include "rules/rule.h"
#include <string>
#include <vector>

struct KeyValue {
    std::wstring key;   // before the first "="
    std::wstring value; // after it, possibly empty
    int line = 0;       // where it stands in the file, from 1; 0 when unknown
};

enum class LineKind { BlankOrComment, Header, KeyLine, Other };

std::wstring iniFilePath(const std::wstring& modulePath, const std::wstring& inifile);
// Blank (only spaces, tabs, ideographic spaces) or a "#" comment line.
bool isBlankOrComment(const std::wstring& line);
bool isSectionHeader(const std::wstring& line);
bool splitKeyValue(const std::wstring& line, KeyValue& keyValue);
// What a line is to the reader, in the order the reader asks; `keyValue` is
// filled for a key line.
LineKind classifyLine(const std::wstring& line, KeyValue& keyValue);

// Gathers the key lines of every occurrence of one section, a line at a time.
struct SectionCollector {
    std::wstring header; // "[" + section + "]"
    bool inside = false;
    std::vector<KeyValue> keys;

    void take(const std::wstring& line, int lineNumber);
};

// The key lines of every occurrence of `header`, in file order.
std::vector<KeyValue> collectSectionKeys(const std::vector<std::wstring>& lines,
                                         const std::wstring& header);
// Keeps only the selected section's key lines: memory does not grow with the file.
bool readRuleSection(Rule& rule, const std::wstring& path, const std::wstring& section);
// The rule phase: false after the always-shown load-failure box, just before
// which `beforeFailureBox` runs when given.
bool loadRule(const std::wstring& modulePath, const Settings& settings, const Reporter& reporter,
              Rule& rule, void (*beforeFailureBox)() = nullptr);
