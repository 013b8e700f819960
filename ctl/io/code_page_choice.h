// The ANSI code page palimoorctl reads rule files in and writes handheld
// shortcuts for: chosen with --codepage, and named, in one wording, when this
// system cannot convert it.
#pragma once
#include <string>

// Selects code page `value` when it is a number this system can convert;
// false, with the reason, otherwise.
bool chooseCodePage(const std::wstring& value, std::wstring& error);
// "this system cannot convert code page N (--codepage N for another)".
std::wstring cannotConvertText(unsigned codePage);
