// Reading files on Windows, and the system's ANSI code page.
#include <windows.h>
#include "base/file_read.h"

bool readFileChunks(const std::wstring& path, ChunkSink sink, void* context) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char chunk[4096]; // small: a Windows CE thread has a 64 KB stack
    DWORD got = 0;
    // A failed read ends the file where it failed; what came before stays.
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        sink(context, chunk, got);
    CloseHandle(file);
    return true;
}

namespace {
UINT selected = CP_ACP;
} // namespace

std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    if (size == 0)
        return std::wstring();
    const int count = static_cast<int>(size);
    const int length = MultiByteToWideChar(selected, 0, bytes, count, nullptr, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(selected, 0, bytes, count, &text[0], length);
    return text;
}

unsigned ansiCodePage() {
    return selected == CP_ACP ? GetACP() : selected;
}

bool selectAnsiCodePage(unsigned codePage) {
    if (!IsValidCodePage(codePage))
        return false;
    selected = codePage;
    return true;
}
