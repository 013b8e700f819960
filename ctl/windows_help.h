// The help of the two subcommands that need Windows, which palimoorctl gives
// on every platform.
#pragma once

inline const wchar_t* const kWindowsHelp =
    L"usage: palimoorctl windows [--all] [--json]\n"
    L"       palimoorctl windows --class CLASS --title TITLE\n"
    L"       palimoorctl windows --rule FILE SECTION\n"
    L"       palimoorctl windows --watch [--all]\n"
    L"\n"
    L"Lists the top-level windows with what a rule needs: class, title, visible or\n"
    L"hidden, minimized, the one in front (marked *), process id and program. Visible\n"
    L"windows only, unless --all.\n"
    L"\n"
    L"  --class, --title   which window a rule with this class and title finds now (the\n"
    L"                     program's own lookup), which trigger states hold now, and what\n"
    L"                     palimoor.exe would do if started now (either may be left out)\n"
    L"  --rule FILE SECTION  the same for a section of a rule file\n"
    L"  --watch            print each change (appears, disappears, new title, minimized,\n"
    L"                     restored, comes to the front) with a time stamp, until Ctrl+C\n"
    L"  --json             the list as a JSON array\n"
    L"\n"
    L"Needs Windows (or Wine).\n";

inline const wchar_t* const kInstancesHelp =
    L"usage: palimoorctl instances [--json]\n"
    L"\n"
    L"Lists the waiting Palimoor instances: section, process id, and whether the\n"
    L"instance is shown among the running tasks (-showtask=TRUE).\n"
    L"\n"
    L"Needs Windows (or Wine).\n";
