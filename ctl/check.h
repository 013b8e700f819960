// `palimoorctl check`: every problem of a rule file at once, as palimoor.exe
// reads the file.
#pragma once
#include "ctl/findings.h"
#include <functional>
#include <string>
#include <vector>

using FindingSink = std::function<void(const CheckFinding&)>;

struct CheckReport {
    bool everyVerdict = false; // keep the verdicts of the sections that load, too
    // The checked sections in order of first appearance, then the asked-for
    // ones the file does not have: all of them, or those that do not load.
    std::vector<SectionVerdict> verdicts;
    int sections = 0; // checked, the missing ones included
    int errors = 0;
    int warnings = 0;
};

// Checks the given sections, or the whole file when none is given. Findings
// reach `sink` in line order (about the whole file first, errors before
// warnings on a line) as soon as no later line can change them: the file is
// read a section at a time, and only the sections that appear again later
// are kept open. False when the file cannot be read (a folder cannot).
bool checkRuleFile(const std::wstring& path, const std::vector<std::wstring>& sections,
                   const FindingSink& sink, CheckReport& report);
