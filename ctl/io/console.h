// ctl/io/: how palimoorctl talks to the world (the console, paths in the
// program's form, text made visible, JSON, the code page chosen); it knows
// nothing of rules.
//
// Where a palimoorctl subcommand writes: standard output and standard error,
// or two strings when the tests capture them.
#pragma once
#include <string>

struct Console {
    std::wstring* capturedOut = nullptr;
    std::wstring* capturedErr = nullptr;
    bool colour = false; // only on a terminal

    void print(const std::wstring& text) const;
    void error(const std::wstring& text) const;
};

// The platform side: UTF-8 text to the standard streams.
void writeStandardOutput(const std::wstring& text);
void writeStandardError(const std::wstring& text);
bool standardOutputIsTerminal();
