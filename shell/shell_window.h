// A waiting instance's hidden window, its thread, icon and timeout.
#pragma once
#include "shell/shell_messages.h"

constexpr WORD kIconResource = 101;

// Stores the instance and registers the shell window's class.
bool initInstance(HINSTANCE instance, int showCommand);
// The window thread; sets `ready` once its window exists or could not be made.
DWORD WINAPI windowThreadProc(LPVOID ready);
// Closes the shell window now, or as soon as the window thread has created it,
// so that a watch ended early leaves no window thread and no icon behind.
void closeShellWindow();
