// What the rule phase says, in the program's own words. Each message a
// reporter is given carries its MessageId too.
#pragma once
#include <string>

extern const wchar_t* const kUnknownKeyMessage; // then "\n" + key=value
extern const wchar_t* const kBadValueMessage;   // then "\n" + key=value
extern const wchar_t* const kNoWindowMessage;

std::wstring iniFileMessage(const std::wstring& path);
std::wstring cannotOpenMessage(const std::wstring& path);
std::wstring sectionNotFoundMessage(const std::wstring& section);
// The always-shown box of a rule that does not load.
std::wstring loadFailedMessage(const std::wstring& path, const std::wstring& section);
std::wstring keyErrorMessage(const wchar_t* prefix, const std::wstring& key,
                             const std::wstring& value);
