#pragma once
#include "rules/rule.h"

enum class ListKind { Exec, OnUnmatch, OnTimeout };

void runCommandList(ListKind kind);
std::wstring readClipboardText();
