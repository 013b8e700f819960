#include <windows.h>
#include "base/file_write.h"

namespace {

std::wstring errorWords(DWORD error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return L"the disk is full";
    case ERROR_ACCESS_DENIED:
        return L"access is denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return L"another program holds the file";
    case ERROR_NOT_ENOUGH_QUOTA:
        return L"the disk quota is used up";
    default:
        return L"Windows error " + std::to_wstring(error);
    }
}

bool failed(std::wstring* why, const std::wstring& temporary) {
    const DWORD error = GetLastError();
    if (!temporary.empty())
        DeleteFileW(temporary.c_str());
    if (why)
        *why = errorWords(error);
    return false;
}

} // namespace

bool writeFileBytes(const std::wstring& path, const std::string& bytes, std::wstring* why) {
    const std::wstring temporary = path + L".palimoorctl-new";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failed(why, L"");
    // A write that stops short without an error is a full disk too.
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                       nullptr) != FALSE;
        if (ok && written == 0) {
            SetLastError(ERROR_DISK_FULL);
            ok = false;
        }
        done += written;
    }
    ok = ok && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    ok = CloseHandle(file) && ok;
    if (!ok) {
        SetLastError(error);
        return failed(why, temporary);
    }
    // ReplaceFile keeps the old file's attributes and permissions.
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES
            ? !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)
            : !ReplaceFileW(path.c_str(), temporary.c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return failed(why, temporary);
    return true;
}
