// The owner of palimoor.exe's message boxes: the foreground window. A box
// owned by a window whose program hangs would wait for that program (the
// owner is disabled while the box is up), so such a box has no owner.
#include "base/message_box.h"
#include "shell/platform.h"

WindowHandle foregroundWindow() {
    HWND front = GetForegroundWindow();
    return front && windowAnswers(front) ? front : nullptr;
}
