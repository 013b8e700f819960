// The top-level windows as a rule writer needs to see them (Windows only).
#pragma once
#include "ctl/io/json_writer.h"
#include <windows.h>
#include <string>
#include <vector>

struct WindowInfo {
    HWND handle;
    std::wstring className;
    std::wstring title;
    bool visible;
    bool minimized;
    bool foreground;
    DWORD processId;
    bool programRead;     // false: its program cannot be read (another user's, a protected one)
    std::wstring program; // the executable's file name
};

std::vector<WindowInfo> topLevelWindows(bool includeHidden);
// The file name of the program that owns the window, as the core reads it for
// process= rules; false when it cannot be read (another user's, a protected one).
bool windowProgram(HWND window, std::wstring& fileName, DWORD* processId = nullptr);
WindowInfo describeWindow(HWND window);
// One line of text, or one JSON object.
std::wstring windowLine(const WindowInfo& window);
void writeWindowJson(JsonWriter& json, const WindowInfo& window);
