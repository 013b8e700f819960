// Finding the selected section in the rule file.
#pragma once
#include "app/reporter.h"
#include "app/settings.h"
#include "rules/rule.h"
#include <string>
#include <vector>

struct KeyValue {
    std::wstring key;   // before the first "="
    std::wstring value; // after it, possibly empty
};

std::wstring iniFilePath(const std::wstring& modulePath, const std::wstring& inifile);
// Blank (only spaces, tabs, ideographic spaces) or a "#" comment line.
bool isBlankOrComment(const std::wstring& line);
bool isSectionHeader(const std::wstring& line);
bool splitKeyValue(const std::wstring& line, KeyValue& keyValue);
// The key lines of every occurrence of `header`, in file order.
std::vector<KeyValue> collectSectionKeys(const std::vector<std::wstring>& lines,
                                         const std::wstring& header);
bool readRuleSection(Rule& rule, const std::wstring& path, const std::wstring& section);
// The rule phase: false after the always-shown load-failure box.
bool loadRule(const std::wstring& modulePath, const Settings& settings, const Reporter& reporter,
              Rule& rule);
