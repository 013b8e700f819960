#include <windows.h>
#include "base/file_io.h"

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

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
