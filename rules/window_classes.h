// Window classes that cannot tell a program's window: those that many
// programs share (a framework's, the system's), and those that carry a part
// made anew for each run or each machine. A rule leans on neither.
#pragma once
#include <string>

bool isSharedWindowClass(const std::wstring& className);
bool hasPerRunPart(const std::wstring& className);
