// A window as one look at the desktop sees it, written in one line, for the
// unit tables of palimoorctl's recordings and near misses.
#pragma once
#include "ctl/observed/desktop_changes.h"

inline WindowLook window(const wchar_t* cls, const wchar_t* title, const wchar_t* program,
                         bool visible = true, bool taskbar = true, std::uint32_t process = 0) {
    WindowLook look;
    look.className = cls;
    look.title = title;
    look.program = program;
    look.visible = visible;
    look.taskbar = taskbar;
    look.process = process;
    return look;
}
