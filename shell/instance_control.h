// How a new invocation acts on the instances that are already waiting.
#pragma once
#include <windows.h>
#include <string>

// True when this invocation is to start a watch of its own. The modes that
// may start one look for others under a per-section start lock, so that two
// quick starts still toggle. A start that goes on keeps the lock until
// releaseStartLock(); one that stops here has released it (a closing one once
// the closed window is gone, at most 3 s later).
bool applyExecMode();
// Lets the next invocation of this section look: once this instance's window
// exists, once it has decided not to wait, or before a box waits for the user.
// Does nothing when not held.
void releaseStartLock();
// The section of a waiting instance's window: the class must be exactly
// `appName` (other programs' windows are never ours), and 255 characters of
// class and title are read, as the instances are looked for.
bool instanceSection(HWND window, const std::wstring& appName, std::wstring& section);
