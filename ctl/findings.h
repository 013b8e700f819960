// What `palimoorctl check` reports, and its two output forms.
#pragma once
#include <string>
#include <vector>

enum class Severity { Error, Warning };

struct CheckFinding {
    int line; // from 1; 0 for a finding about the whole file
    Severity severity;
    std::wstring message;        // the reason, in English
    std::wstring programMessage; // what palimoor.exe itself shows; empty for warnings
};

// FILE:LINE: error: TEXT [program message's first line], one per line.
std::wstring formatFindings(const std::wstring& file, const std::vector<CheckFinding>& findings,
                            bool colour);
// A JSON array of {file, line, severity, message, program_message}.
std::wstring formatFindingsJson(const std::wstring& file,
                                const std::vector<CheckFinding>& findings);
