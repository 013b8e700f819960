// Loading the rule: the selected section of the rule file, validated.
#pragma once
#include "base/reporter.h"
#include "base/settings.h"
#include "rules/rule.h"
#include <string>

// Keeps only the selected section's key lines: memory does not grow with the file.
bool readRuleSection(Rule& rule, const std::wstring& path, const std::wstring& section);
// The rule phase: false after the always-shown load-failure box, just before
// which `beforeFailureBox` runs when given.
bool loadRule(const std::wstring& modulePath, const Settings& settings, const Reporter& reporter,
              Rule& rule, void (*beforeFailureBox)() = nullptr);
