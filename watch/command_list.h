// Running one of the rule's three command lists, entry by entry, on the main
// thread: the built-ins on the rule's window, pauses, and launches.
#pragma once
#include "rules/rule.h"

enum class ListKind { Exec, OnUnmatch, OnTimeout };

// `exec` first pauses for the rule's sleep; every list is shown in a debug box.
void runCommandList(ListKind kind);
