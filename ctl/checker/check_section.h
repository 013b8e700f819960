// A checked section as the checker gathers it over its occurrences, and what
// check says of it as a whole once it has been read.
#pragma once
#include "ctl/reading/findings.h"
#include "rules/ini_reader.h"
#include "rules/rule.h"
#include "rules/rule_keys.h"
#include <string>
#include <vector>

struct OpenSection {
    OpenSection(const std::wstring& name, int firstLine) : name(name), firstLine(firstLine) {}

    // A key line of the section, as the program applied it (`refused`: it did
    // not); a scalar key set again is said to `out`.
    void takeKey(const KeyValue& keyValue, bool refused, std::vector<CheckFinding>& out);
    // What concerns the whole section, each at the line to fix; `loads`
    // tells whether palimoor.exe loads it.
    std::vector<CheckFinding> wholeFindings(bool& loads);

    std::wstring name;
    int firstLine;
    int lastLine = 0; // the last that is neither blank nor comment, so far
    int keyLines = 0;
    Rule rule; // its keys so far, as the program applies them; the lists are not kept
    // Per RuleField: the line a scalar key was last validly set on.
    int lastSet[kRuleKeyCount] = {};
    int firstOntimeout = 0;
    int firstOnunmatch = 0;
    int repeatLine = 0;
    KeyValue titlematch; // the line that set it last
    int titleLine = 0;   // the title in force, and what to say of its blanks
    std::wstring titleWarning;
};

// "section [NAME]" and "line N", as check words them.
std::wstring sectionText(const std::wstring& name);
std::wstring lineText(int line);
