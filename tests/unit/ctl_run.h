// palimoorctl run as a user runs it, its output captured, for the unit tests.
#pragma once
#include "ctl/commands.h"
#include <string>

struct CtlRun {
    int code;
    std::wstring out;
    std::wstring err;
};

inline CtlRun ctl(const Arguments& arguments) {
    CtlRun run{0, L"", L""};
    Console console;
    console.capturedOut = &run.out;
    console.capturedErr = &run.err;
    run.code = runCtl(arguments, console);
    return run;
}

inline bool contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}
