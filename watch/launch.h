// External commands, started through the shell.
#pragma once
#include <string>

// Starts the command's file with its parameters; waits for its process when
// `wait` is set. False when the shell refused it.
bool launchCommand(bool wait, const std::wstring& text);
