// What `palimoorctl check` says of one line of a rule file by itself: the
// program's own verdict on a key line, and warnings about lines that are legal
// but probably do not mean what they say.
#pragma once
#include "ctl/reading/findings.h"
#include "rules/ini_reader.h"
#include "rules/rule.h"
#include <string>
#include <vector>

// Applies the key line to `rule` (the section so far) with the program's key
// parser, and turns what it refuses into errors; true when it refused the line.
bool keyLineErrors(Rule& rule, const KeyValue& keyValue, std::vector<CheckFinding>& out);

// Warnings about a line of a checked section (`rule`: the section so far), or
// of the file before its first header (`rule` null). `refused` tells that the
// program refused the key line.
void lineWarnings(int number, const std::wstring& text, LineKind kind, const KeyValue& keyValue,
                  const Rule* rule, bool refused, std::vector<CheckFinding>& out);

// The warning for a title compared whole that begins or ends with a blank;
// empty when it does not (a title compared in part may well).
std::wstring titleBlanksWarning(const std::wstring& title);

// A line that a reader would take for the header of section `name` but the
// program does not: blanks around it, a comment after it, a stray carriage
// return. False for any other line; `why` says what is wrong, `code` which.
bool looksLikeHeader(const std::wstring& text, std::wstring& name, std::wstring& why,
                     FindingCode& code);
