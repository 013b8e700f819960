// The learned section written into the rule file, in the file's encoding,
// and checked exactly as `palimoorctl check` checks it.
#pragma once
#include "ctl/io/console.h"
#include <string>

struct SectionWritten {
    bool written = false;  // the file holds it now (never on a dry run)
    std::wstring why;      // when it could not be written
    std::wstring findings; // check's lines for the section, as check prints them
    int errors = 0;
    int warnings = 0;
    bool loads = false; // palimoor.exe loads the section
};

// Adds `text` to `file` (on a dry run, to a copy in the temporary folder,
// `file` left as it is) and checks the section there.
SectionWritten writeSection(const std::wstring& file, const std::wstring& section,
                            const std::wstring& text, bool dryRun);
