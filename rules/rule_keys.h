// Validating the section's key lines into the rule.
#pragma once
#include "base/text_compare.h"
#include "rules/ini_reader.h"
#include "rules/rule.h"
#include <vector>

// The keywords of `check` and `trigger`, in the order they are tried.
extern const Keyword<CheckMode> kCheckModes[3];
extern const Keyword<TriggerState> kTriggers[8];
const wchar_t* checkKeyword(CheckMode check);
const wchar_t* triggerKeyword(TriggerState trigger);

// True when the rule names a window (class or title not empty).
bool applyRuleKeys(Rule& rule, const std::vector<KeyValue>& keys);
// The key line's number, when known, goes with the message to a collecting reporter.
void reportKeyError(const Rule& rule, const std::wstring& prefix, const std::wstring& key,
                    const std::wstring& value, int line = 0);
