// What check says of one command-list entry: what the program will start or
// do with it where that is probably not what was meant.
#pragma once
#include "ctl/reading/findings.h"
#include <string>
#include <vector>

// Warnings about one entry of exec, ontimeout or onunmatch on line `number`.
void entryWarnings(int number, const std::wstring& entry, std::vector<CheckFinding>& out);
