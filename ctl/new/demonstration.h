// What the user showed: the recorded changes as a numbered timeline, and the
// one window the user acted on.
#pragma once
#include "ctl/io/json_writer.h"
#include "ctl/observed/desktop_changes.h"
#include <string>
#include <vector>

// "+1.4 s"
std::wstring secondsText(std::uint32_t ms);
//  1  +1.4 s  appeared        class "Notepad"  title "Untitled - Notepad"  notepad.exe
std::wstring timelineText(const std::vector<DesktopChange>& changes);
void writeTimelineJson(JsonWriter& json, const std::vector<DesktopChange>& changes);

struct Pick {
    bool found = false;
    std::size_t line = 0;            // the change that decides, from 1
    std::vector<std::size_t> rivals; // when none stands out: a line of each window that might be
};

// The window of the last change that was not only a new title; of changes
// at about the same moment, the one the user made to a window itself
// (appeared, closed, minimized...) before the front moving because of it.
// `chosen` (from 1) takes the window of that line instead.
Pick pickWindow(const std::vector<DesktopChange>& changes, std::size_t chosen = 0);

// Why no window was taken, for the refusal: no such line, several windows at
// once, or nothing a rule waits for (only new titles, windows come and gone).
std::wstring unpickedText(const Pick& pick, std::size_t chosen);
