#include "ctl/io/program_paths.h"
#include <windows.h>
#include <shlobj.h>
#include <vector>

std::wstring ownProgramPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    path[MAX_PATH - 1] = L'\0';
    return path;
}

std::wstring programForm(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::wstring();
    std::vector<wchar_t> full(needed + 1);
    const DWORD length = GetFullPathNameW(path.c_str(), needed + 1, full.data(), nullptr);
    return length > 0 && length <= needed ? std::wstring(full.data(), length) : std::wstring();
}

std::wstring shownPath(const std::wstring& programFormPath) {
    return programFormPath;
}

std::wstring desktopFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::wstring();
    path[MAX_PATH - 1] = L'\0';
    return path;
}

std::wstring temporaryFile(const std::wstring& name) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    std::wstring path(folder, length <= MAX_PATH ? length : 0);
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path + name;
}

bool samePathText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
