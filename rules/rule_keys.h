// Validating the section's key lines into the rule.
#pragma once
#include "rules/ini_reader.h"
#include "rules/rule.h"
#include <vector>

// True when the rule names a window (class or title not empty).
bool applyRuleKeys(Rule& rule, const std::vector<KeyValue>& keys);
// The key line's number, when known, goes with the message to a collecting reporter.
void reportKeyError(const Rule& rule, const std::wstring& prefix, const std::wstring& key,
                    const std::wstring& value, int line = 0);
