// `palimoorctl explain`: a loaded rule in plain English, as the program runs it.
#pragma once
#include "rules/rule.h"
#include <string>

std::wstring explainRule(const std::wstring& section, const Rule& rule);
// One list entry as the command runner will read it.
std::wstring explainEntry(const std::wstring& entry);
