// `palimoorctl check`: every problem of a rule file at once.
#pragma once
#include "ctl/findings.h"
#include "ctl/rule_scan.h"
#include <vector>

// Findings for the given sections (indexes into scan.sections), or for the
// whole file when `wholeFile` is set; in line order, errors before warnings
// on one line.
std::vector<CheckFinding> checkRuleScan(const RuleScan& scan, const std::vector<int>& sections,
                                        bool wholeFile);
