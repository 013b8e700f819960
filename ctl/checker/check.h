// ctl/checker/: every problem of a rule file at once, as palimoor.exe reads
// the file; for `check`, and for `new`, which checks what it writes as check
// does. It uses ctl/reading/ and ctl/io/.
#pragma once
#include "ctl/reading/findings.h"
#include "rules/rule.h"
#include <functional>
#include <string>
#include <vector>

struct CheckSink {
    std::function<void(const CheckFinding&)> finding;
    std::function<void(const SectionVerdict&)> verdict;
    // When given: a note on a section that loads, after its findings (the
    // windows it nearly finds, where there is a desktop); empty for none.
    std::function<std::wstring(const Rule&)> note = nullptr;
};

struct CheckReport {
    // Every verdict, in order of first appearance, after the findings (for
    // JSON); else each section's verdict where the section ends.
    bool verdictsInOrder = false;
    int sections = 0; // checked, the missing ones included
    int errors = 0;
    int warnings = 0;
    std::wstring unreadable; // why the file cannot be checked; empty when it can
};

// Checks the given sections, or the whole file when none is given. Findings
// reach the sink in line order (about the whole file first, errors before
// warnings on a line) as the file is read: what concerns a whole section is
// said on its last line. Memory does not grow with the file's lines, only
// (a little) with its headers. False, with the reason, when the file cannot
// be read (a folder cannot).
bool checkRuleFile(const std::wstring& path, const std::vector<std::wstring>& sections,
                   const CheckSink& sink, CheckReport& report);
