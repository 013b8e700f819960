// What a waiting instance tells `palimoorctl status` about itself
// (shell/status_record.h): the watch notes what it sees as it looks, and the
// window thread answers the requests that come by WM_COPYDATA.
#pragma once
#include <windows.h>
#include <cstdint>

// At start-up: the hash of the key lines loaded, so that palimoorctl can tell
// whether the file still holds them.
void noteRuleKeys(std::uint64_t hash);
// On the main thread: the wait begins (before the window thread exists).
void noteWaitBegins(bool processWatch);
// On the main thread, after each look: the rule's window (or null), the
// foreground window where the trigger asked for it, and whether the window
// is in front as the rule means it.
void noteLook(HWND window, HWND front, bool inFront);
// On the main thread: a repeating rule has fired, `fired` times in all.
void noteFired(std::uint32_t fired);
// On the window thread: answers a valid request with one record sent to the
// window it names, without waiting long for it; anything else is ignored.
// True when an answer went out.
bool answerStatus(HWND shell, const COPYDATASTRUCT* data);
