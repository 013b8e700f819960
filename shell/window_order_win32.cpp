#include "shell/window_order.h"
#include "shell/platform.h"

void pushWindowToBottom(HWND window) {
    if (!window)
        return;
    // Another program's window is moved by its own thread; we do not wait for it.
    const UINT noWait = noWaitWindowPos();
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | noWait);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | noWait);
}
