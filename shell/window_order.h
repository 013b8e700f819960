// Moving a window in the z-order: the shell window gets out of the way with
// it, and the command runner's "inactivate" uses it on the target.
#pragma once
#include <windows.h>

// To the bottom of the z-order without activation; nothing for a null window.
void pushWindowToBottom(HWND window);
