// The one road every message box takes, so that the program's only output
// besides launches can be observed: the Win32 build shows real boxes, the
// host tests record them.
#pragma once
#include <string>

using WindowHandle = void*;

constexpr unsigned kBoxPlain = 0; // OK button, no icon
constexpr unsigned kBoxStop = 16; // OK button, stop icon

WindowHandle foregroundWindow();
// Shows a modal box and waits for it; the answer (IDOK = 1, IDCANCEL = 2, ...).
int showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                   unsigned style);
