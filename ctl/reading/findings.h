// What `palimoorctl check` reports, and its two output forms.
#pragma once
#include "ctl/io/json_writer.h"
#include <string>

enum class Severity { Error, Warning, Note };

struct CheckFinding {
    int line; // from 1; 0 for one about the whole file
    Severity severity;
    std::wstring message;        // the reason, in English, made visible
    std::wstring programMessage; // what palimoor.exe's own box shows; empty for none
};

// One checked section: whether palimoor.exe loads it (it may still refuse
// some of its lines).
struct SectionVerdict {
    std::wstring name;
    int line; // its first header; 0 when the file has none
    bool loads;
};

// FILE:LINE: error: TEXT [the program message's first line], and a line feed.
std::wstring formatFinding(const std::wstring& file, const CheckFinding& finding, bool colour);
// FILE: [NAME] will not load: ..., for a section that does not load.
std::wstring formatVerdict(const std::wstring& file, const SectionVerdict& verdict);
// The JSON objects {file, line, severity, message, program_message} and
// {name, line, loads}.
void writeFindingJson(JsonWriter& json, const std::wstring& file, const CheckFinding& finding);
void writeVerdictJson(JsonWriter& json, const SectionVerdict& verdict);
