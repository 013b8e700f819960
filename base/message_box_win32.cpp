// palimoor.exe's message boxes: real ones.
#include <windows.h>
#include "base/message_box.h"

WindowHandle foregroundWindow() {
    return GetForegroundWindow();
}

int showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                   unsigned style) {
    return MessageBoxW(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}
