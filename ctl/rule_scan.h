// The whole rule file as the checker sees it: every line with what the
// program's reader makes of it, and every section with its key lines.
#pragma once
#include "rules/ini_reader.h"
#include <string>
#include <vector>

struct ScannedLine {
    int number;
    std::wstring text;
    LineKind kind;
    KeyValue keyValue; // for key lines
    int section;       // index into RuleScan::sections; -1 before the first header
};

struct ScannedSection {
    std::wstring name; // between the brackets
    std::vector<int> headerLines;
    std::vector<KeyValue> keys; // of every occurrence, in file order, as the program collects them
};

struct RuleScan {
    std::vector<ScannedLine> lines;
    std::vector<ScannedSection> sections; // in order of first appearance
};

// False when the file cannot be opened.
bool scanRuleFile(const std::wstring& path, RuleScan& scan);
// The section's index, or -1.
int findSection(const RuleScan& scan, const std::wstring& name);
