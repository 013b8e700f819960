// The built-ins on the rule's window: to the front, to the back, close, on
// top or not, minimize, maximize, restore. None waits for the window's
// program; `sync` waits for the effect as each says.
#pragma once
#include "watch/command_text.h"
#include "shell/history_record.h"
#include <windows.h>

// The window the built-ins of the list now running act on: a repeating
// rule's window that fired, or null for the rule's window as found at each
// entry (as always).
void setListWindow(HWND window);
// Runs a built-in other than a pause; what became of it.
EntryResult runBuiltin(Builtin builtin, bool sync);
// A close asked of a window that may still be deciding: it is refused when
// the window is still there after a moment (up to `graceMs`).
EntryResult closeOutcome(HWND window, DWORD graceMs);
// The window the last close was asked of.
HWND lastClosed();
