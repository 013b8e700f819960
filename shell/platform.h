// What differs between Windows CE and desktop Windows. A Windows CE build
// changes only platform_win32.cpp.
#pragma once
#include <windows.h>
#include <string>
#include "shell/window_events.h"

// Access asked for when opening the target's process: it must be waitable.
DWORD ownerProcessAccess();
// How launched programs are shown.
int launchShowCommand();
// Extra launch flags: desktop Windows would otherwise show its own error box.
ULONG launchExtraMask();
// The folder viewer that opens a folder given as its parameter.
const wchar_t* folderViewer();
// The command line a shortcut points at, cut to `capacity` characters with
// its terminator; left empty when the shortcut cannot be read.
void shortcutTarget(const std::wstring& shortcutPath, wchar_t* buffer, size_t capacity);
// Once before the shell window's class is registered (on the desktop it also
// learns the shell's restart message).
void initShellLibrary();
// The shell window's creation and its settings-change message.
void onShellWindowCreated();
void onSettingChange(HWND window, WPARAM wParam, LPARAM lParam);
// The message the desktop shell sends when it has restarted; 0 where there is none.
UINT taskbarCreatedMessage();
// Makes the window the foreground window, as "activate" asks. It never waits
// for another program.
void bringToFront(HWND window);
// Whether the window's thread answers at once. Desktop Windows makes a caller
// wait for a thread that stops pumping messages; the handheld's calls stay as
// they are, so there it is always true.
bool windowAnswers(HWND window);
// The full path of the process's program file (on the handheld, what the
// system's process list names); false when it cannot be read.
bool processImagePath(DWORD process, std::wstring& path);
// Letter case folded as the system folds it when it compares window titles
// and class names.
void foldCase(std::wstring& text);
// SetWindowPos flags that keep the call from waiting for another program's
// window to move (0 where the handheld keeps its calls as they are).
UINT noWaitWindowPos();
// On the calling thread, which must pump messages: signal `lookNow` whenever
// one of the plan's events happens to a window (from `process` alone where
// the plan says so). While events come in a storm it stops listening for a
// quiet spell. False where the system cannot (Windows CE has no such
// events), and then nothing is signalled. A hint only: what the window is
// doing is always looked up anew.
bool watchWindowEvents(HANDLE lookNow, const EventPlan& plan, DWORD process);
// Ends the above on the thread that began it; harmless when nothing runs.
void stopWatchingWindowEvents();
