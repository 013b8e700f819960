// The start-up options and execution modes; filled by the command line and
// the parameter file, read by every later phase.
#pragma once
#include <cstdint>
#include <string>

enum class ExecMode : std::uint32_t {
    TOGGLE = 0,
    OPEN = 1,
    CLOSE = 2,
    CLOSEALL = 3,
    CLOSEPREFIX = 4,
    CLOSEINFIX = 5,
    CLOSEPOSTFIX = 6,
    RESET = 7,
    OPENRESET = 8,
};

struct Settings {
    std::wstring appName;
    std::wstring windowTitle;
    ExecMode execmode = ExecMode::TOGGLE;
    bool showtask = false;
    bool showicon = true;
    bool debug = false;
    std::wstring inifile;
    std::wstring section;
    std::wstring paramfile;
};

// The program's identity: window class, icon tip and first half of every caption.
inline const wchar_t* const kProgramName = L"Palimoor";
