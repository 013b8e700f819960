#include "shell/history.h"
#include <windows.h>

namespace {

unsigned long lost = 0; // records not written since the last one that was

std::wstring historyFolder() {
    wchar_t path[MAX_PATH] = {};
#ifdef _WIN32_WCE
    // Beside the program: the handheld has no folder of each user's.
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    path[MAX_PATH - 1] = L'\0';
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\'));
#else
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(path);
#endif
}

bool writeAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

// Each write goes to the end, wherever another instance has left it.
HANDLE openForAppending(const std::wstring& path) {
    return CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void becomeOlder(const std::wstring& path, const std::wstring& older) {
#ifdef _WIN32_WCE
    DeleteFileW(older.c_str());
    MoveFileW(path.c_str(), older.c_str());
#else
    MoveFileExW(path.c_str(), older.c_str(), MOVEFILE_REPLACE_EXISTING);
#endif
}

} // namespace

std::wstring historyFile(bool older) {
    const std::wstring folder = historyFolder();
    if (folder.empty())
        return folder; // no such folder: nothing is written anywhere else
#ifdef _WIN32_WCE
    return folder + (older ? L"\\PalimoorHistory.old.txt" : L"\\PalimoorHistory.txt");
#else
    return folder + (older ? L"\\Palimoor history.old.txt" : L"\\Palimoor history.txt");
#endif
}

const wchar_t* historyTime(wchar_t (&text)[kHistoryTimeChars]) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wsprintfW(text, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
              now.wMinute, now.wSecond);
    return text;
}

void appendHistory(const std::wstring& fields) {
    std::wstring line = kHistoryMark;
    addHistoryNumber(line, lost);
    line += fields + L"\r\n";
    const DWORD bytes = static_cast<DWORD>(line.size() * sizeof(wchar_t));
    const std::wstring path = historyFile();
    HANDLE file = openForAppending(path);
    DWORD size = file != INVALID_HANDLE_VALUE ? GetFileSize(file, nullptr) : 0;
    if (file != INVALID_HANDLE_VALUE && size != INVALID_FILE_SIZE && size > 0 &&
        size + bytes > kHistoryHalfBytes) {
        // Full: it becomes the older file, and a new one is begun.
        CloseHandle(file);
        becomeOlder(path, historyFile(true));
        file = openForAppending(path);
        size = file != INVALID_HANDLE_VALUE ? GetFileSize(file, nullptr) : 0;
    }
    const wchar_t mark = 0xFEFF; // UTF-16, the program's own strings as they are
    const bool written = file != INVALID_HANDLE_VALUE && size != INVALID_FILE_SIZE &&
                         (size > 0 || writeAll(file, &mark, sizeof mark)) &&
                         writeAll(file, line.data(), bytes);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    lost = written ? 0 : lost + 1;
}
