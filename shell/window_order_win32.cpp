#include "shell/window_order.h"

void pushWindowToBottom(HWND window) {
    if (!window)
        return;
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE);
}
