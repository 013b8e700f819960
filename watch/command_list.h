#pragma once
#include "rules/rule.h"

enum class ListKind { Exec, OnUnmatch, OnTimeout };

void runCommandList(ListKind kind);
std::wstring readClipboardText();
// Starts an external command; waits for its process when `wait` is set.
bool launchCommand(bool wait, const std::wstring& text);
