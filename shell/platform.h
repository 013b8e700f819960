// What differs between Windows CE and desktop Windows, and the reads of other
// programs' windows and processes that both need. platform_win32.cpp holds
// both forms, chosen by _WIN32_WCE; two more files choose by it for the same
// reason: shell_link_win32.cpp (the desktop's binary shortcuts, which the
// handheld reads through SHGetShortcutTarget here) and event_hooks_win32.cpp
// (window events, which the handheld does not have).
#pragma once
#include <windows.h>
#include <string>

// Access asked for when opening the target's process: it must be waitable.
DWORD ownerProcessAccess();
// How launched programs are shown.
int launchShowCommand();
// Extra launch flags: desktop Windows would otherwise show its own error box,
// and could leave a launch unfinished when the process ends.
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
// The full path of the process's program file, however long (on the
// handheld, what the system's process list names); false when it cannot be
// read (a program of another user, a protected one, a transient failure).
bool processImagePath(DWORD process, std::wstring& path);
// Whether the taskbar would show the window, were it visible and unowned: a
// tool window (a splash, a palette) is not shown unless it asks to be.
bool isTaskbarWindow(HWND window);
// A window's class name or title, read into a fixed buffer of `chars`
// characters (at most kLongestWindowText) and cut to fit it.
enum class WindowText { ClassName, Title };
constexpr int kLongestWindowText = 1024;
std::wstring readWindowText(HWND window, WindowText which, int chars);
// Sends a message to another program's window, waiting for its answer 200 ms
// at most (on the desktop not at all for a program that does not answer);
// false when it did not answer.
bool sendWithoutWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Whether the window is a top-level window of the desktop, the only kind a
// rule can find: a message-only window (palimoorctl status's reply window)
// is none, nor is a child.
bool isDesktopTopLevel(HWND window);
// The window actions that came later, asked of the window without waiting
// for its program; false when the system refused at once.
enum class WindowAction { Topmost, NotTopmost, Minimize, Maximize, Restore };
bool actOnWindow(HWND window, WindowAction action);
// Whether the window is as the action leaves it, read from what the system keeps.
bool windowIsSo(HWND window, WindowAction action);
// The id of a process the shell started, from its handle.
DWORD launchedProcessId(HANDLE process);
// SetWindowPos flags that keep the call from waiting for another program's
// window to move (0 where the handheld keeps its calls as they are).
UINT noWaitWindowPos();
