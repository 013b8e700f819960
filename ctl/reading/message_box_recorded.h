// palimoorctl's side of base/message_box.h: it shows no message box. What
// palimoor.exe's own code would show while palimoorctl runs it (a refused
// option of a command line being checked) is recorded instead, for the
// subcommand to report.
#pragma once
#include <string>
#include <vector>

// The texts recorded since the last call, oldest first.
std::vector<std::wstring> takeProgramBoxTexts();
