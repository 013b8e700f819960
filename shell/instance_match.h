// Which waiting instances a closing invocation addresses.
#pragma once
#include "base/settings.h"
#include <string>

// The section of another instance: its window title without the brackets.
std::wstring sectionOfTitle(const std::wstring& title);
// Case-sensitive, on UTF-16 code units; only the CLOSE... modes ever match.
bool instanceMatches(ExecMode mode, const std::wstring& pattern, const std::wstring& section);
// Text of the box shown before an enumerating mode acts; empty for the others.
const wchar_t* enumerationReport(ExecMode mode);
// The name of the lock that orders the starts of one section: readable while
// short and free of backslashes (which object names refuse), else a hash of
// the section; always within the platform's 260-character limit.
std::wstring startLockName(const std::wstring& section);
