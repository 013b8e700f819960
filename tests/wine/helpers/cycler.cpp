// A program that opens its window again each time it is closed, as a
// reminder or a chat popup comes back: one hidden top-level window of the
// given class at a time, the next made the moment the last is destroyed,
// --count windows in all. Then it logs "done N" (N windows closed) and ends.
//   cycler --class=C --count=N --log=FILE
#include "helper_util.h"

namespace {

std::wstring className;
int left = 0, closed = 0;

HWND openOne() {
    return CreateWindowExW(0, className.c_str(), L"Cycle", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DESTROY)
        return DefWindowProcW(window, message, wParam, lParam);
    ++closed;
    if (--left <= 0 || !openOne())
        PostQuitMessage(0);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    className = option(argc, argv, L"class", L"PalimoorCycle");
    left = _wtoi(option(argc, argv, L"count", L"1").c_str());
    const std::wstring log = option(argc, argv, L"log");
    WNDCLASSW wc = {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className.c_str();
    RegisterClassW(&wc);
    if (left <= 0 || !openOne())
        return 2;
    appendLine(log, "ready");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    appendLine(log, "done " + std::to_string(closed));
    return 0;
}
