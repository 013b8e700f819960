// palimoor.exe's message boxes: real ones. Their owner, the foreground
// window, is the platform layer's (shell/platform_win32.cpp).
#include <windows.h>
#include "base/message_box.h"

int showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                   unsigned style) {
    return MessageBoxW(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}
