// Saves a picture of a window as it is on the screen, for the guides:
//   snap OUT.bmp CLASS TITLE [MARGIN]   "-" for no class or title; 3 if not found
#include "helper_util.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 4)
        return 64;
    const wchar_t* className = lstrcmpW(argv[2], L"-") == 0 ? nullptr : argv[2];
    const wchar_t* title = lstrcmpW(argv[3], L"-") == 0 ? nullptr : argv[3];
    HWND window = FindWindowW(className, title);
    if (!window)
        return 3;
    const int margin = argc > 4 ? _wtoi(argv[4]) : 0;
    RECT rect;
    GetWindowRect(window, &rect);
    const int left = rect.left - margin, top = rect.top - margin;
    const int width = rect.right - rect.left + 2 * margin;
    const int height = rect.bottom - rect.top + 2 * margin;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as a .bmp file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();

    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    HANDLE out = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out, bits, imageBytes, &written, nullptr);
    CloseHandle(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return 0;
}
