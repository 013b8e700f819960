// External commands, started through the shell.
#pragma once
#include <windows.h>
#include <string>

// What became of a launch: started (with its process's id, 0 when the shell
// started none of its own, as for a document handed to a running program),
// nothing to start (an empty file name), or refused (with the Windows error).
struct Launched {
    bool started;
    DWORD process;
    DWORD error;
};

// Starts the command's file with its parameters; waits for its process when
// `wait` is set.
Launched launchCommand(bool wait, const std::wstring& text);
