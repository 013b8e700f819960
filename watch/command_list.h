// Running one of the rule's three command lists, entry by entry, on the main
// thread: the built-ins on the rule's window, pauses, and launches; then its
// record in the history.
#pragma once
#include "rules/rule.h"
#include <windows.h>
#include <cstdint>

enum class ListKind { Exec, OnUnmatch, OnTimeout };

// `exec` first pauses for the rule's sleep; every list is shown in a debug
// box. `window`: a repeating rule's window that fired, which the built-ins
// act on (null: the rule's window as found at each entry); `fired`: how many
// times exec has run with this one, for the history.
void runCommandList(ListKind kind, HWND window = nullptr, std::int32_t fired = 0);
