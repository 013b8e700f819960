// palimoor.exe's message boxes: real ones. Their owner, the foreground
// window unless its program does not answer, is chosen by
// shell/box_owner_win32.cpp, which needs the platform layer above this floor.
#include <windows.h>
#include "base/message_box.h"

int showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                   unsigned style) {
    return MessageBoxW(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}
