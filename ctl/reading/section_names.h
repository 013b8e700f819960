// Sections as palimoor.exe finds them, for every subcommand that names one:
// loading it as the program does and why not, whether a file has it, the
// names near a missing one, and whether a command line can carry its name.
#pragma once
#include "base/reporter.h"
#include "rules/rule.h"
#include "rules/text_file.h"
#include <string>
#include <vector>

// A section loaded as palimoor.exe loads it, the file read once.
struct SectionLoad {
    Rule rule;
    bool loaded = false;
    bool opened = true;                    // false: the file cannot be opened
    bool found = true;                     // false: no section of that name with a key line
    TextFileInfo encoding;                 // what the read found of the file's encoding
    std::uint64_t keysHash = 0;            // of the key lines read (keyLinesHash)
    std::vector<ReportedMessage> messages; // what the program would show, in order
};
SectionLoad loadSection(const std::wstring& file, const std::wstring& section);

// Whether the file has a header [name], exactly.
bool fileHasSection(const std::wstring& file, const std::wstring& name);
// Up to three of the file's section names nearest to `name`, as "[A], [B]";
// empty when none is near.
std::wstring sectionsNear(const std::wstring& file, const std::wstring& name);

// Why no command line can carry this section name as it is (a blank at an
// end, a line break, a control character); empty when one can.
std::wstring commandLineNameProblem(const std::wstring& section);
// The text a message box shows: up to the first NUL.
std::wstring asBoxShowsIt(const std::wstring& text);
