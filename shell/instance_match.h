// Which waiting instances a closing invocation addresses.
#pragma once
#include "app/settings.h"
#include <string>

// The section of another instance: its window title without the brackets.
std::wstring sectionOfTitle(const std::wstring& title);
// Case-sensitive, on UTF-16 code units; only the CLOSE... modes ever match.
bool instanceMatches(ExecMode mode, const std::wstring& pattern, const std::wstring& section);
// Text of the box shown before an enumerating mode acts; empty for the others.
const wchar_t* enumerationReport(ExecMode mode);
