// Loading the rule: the selected section of the rule file, validated.
#pragma once
#include "base/reporter.h"
#include "base/settings.h"
#include "rules/rule.h"
#include "rules/text_file.h"
#include <string>

// Keeps only the selected section's key lines: memory does not grow with the file.
// `encoding`, when given, gets what the read found of the file's encoding;
// `keysHash` the hash of the key lines read (keyLinesHash).
bool readRuleSection(Rule& rule, const std::wstring& path, const std::wstring& section,
                     TextFileInfo* encoding = nullptr, std::uint64_t* keysHash = nullptr);
// The rule phase: false after the always-shown load-failure box, just before
// which `beforeFailureBox` runs when given.
bool loadRule(const std::wstring& modulePath, const Settings& settings, const Reporter& reporter,
              Rule& rule, void (*beforeFailureBox)() = nullptr, std::uint64_t* keysHash = nullptr);
