#include "ctl/files.h"
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
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

bool isFolder(const std::wstring& programFormPath) {
    const DWORD attributes = GetFileAttributesW(programFormPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isInFolder(const std::wstring& path, const std::wstring& folder, std::wstring& relative) {
    if (path.size() <= folder.size() + 1 || path[folder.size()] != L'\\' ||
        !(CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                               static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL))
        return false;
    relative = path.substr(folder.size() + 1);
    return true;
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(file) && ok;
}

bool encodeInCodePage(const std::wstring& text, unsigned codePage, std::string& bytes) {
    bytes.clear();
    if (text.empty())
        return true;
    BOOL lost = FALSE;
    const bool exact = codePage != CP_UTF8 && codePage != CP_UTF7;
    const int count = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, exact ? WC_NO_BEST_FIT_CHARS : 0, text.data(),
                                         count, nullptr, 0, nullptr, exact ? &lost : nullptr);
    if (size <= 0 || lost)
        return false;
    bytes.resize(static_cast<size_t>(size));
    WideCharToMultiByte(codePage, exact ? WC_NO_BEST_FIT_CHARS : 0, text.data(), count, &bytes[0],
                        size, nullptr, exact ? &lost : nullptr);
    return !lost;
}

bool writeShellLink(const std::wstring& linkPath, const std::wstring& target,
                    const std::wstring& arguments, const std::wstring& folder, std::wstring& why) {
    const HRESULT init = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void**>(&link));
    if (SUCCEEDED(result)) {
        link->SetPath(target.c_str());
        link->SetArguments(arguments.c_str());
        link->SetWorkingDirectory(folder.c_str());
        link->SetIconLocation(target.c_str(), 0);
        IPersistFile* file = nullptr;
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(result)) {
            result = file->Save(programForm(linkPath).c_str(), TRUE);
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    if (FAILED(result)) {
        wchar_t code[16];
        wsprintfW(code, L"0x%08lx", static_cast<unsigned long>(result));
        why = L"the shell could not write the shortcut (" + std::wstring(code) + L")";
    }
    return SUCCEEDED(result);
}
