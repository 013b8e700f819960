#include "shell/shell_link.h"
#ifndef _WIN32_WCE
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

// The shell's link object and its file interface, for the length of one call.
struct LinkObject {
    LinkObject() {
        initialised = SUCCEEDED(CoInitialize(nullptr));
        result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link));
        if (SUCCEEDED(result))
            result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    }
    ~LinkObject() {
        if (file)
            file->Release();
        if (link)
            link->Release();
        if (initialised)
            CoUninitialize();
    }
    bool ready() const { return SUCCEEDED(result); }
    // Keeps the first failure.
    bool step(HRESULT outcome) {
        if (SUCCEEDED(result))
            result = outcome;
        return SUCCEEDED(result);
    }

    bool initialised = false;
    HRESULT result = E_FAIL;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
};

// A link's raw path keeps "%windir%"-style variables, which the shell would
// not find as a file name: they are expanded here, as Explorer does.
std::wstring expandVariables(const wchar_t* text) {
    wchar_t expanded[1024];
    const DWORD needed = ExpandEnvironmentStringsW(text, expanded, 1024);
    if (needed == 0 || needed > 1024)
        return text;
    return expanded;
}

} // namespace

bool readShellLink(const std::wstring& path, std::wstring& target) {
    LinkObject object;
    wchar_t program[MAX_PATH] = {};
    wchar_t arguments[1024] = {};
    if (!object.ready() || !object.step(object.file->Load(path.c_str(), STGM_READ)) ||
        !object.step(object.link->GetPath(program, MAX_PATH, nullptr, SLGP_RAWPATH)) ||
        program[0] == L'\0')
        return false;
    program[MAX_PATH - 1] = L'\0';
    if (FAILED(object.link->GetArguments(arguments, 1024)))
        arguments[0] = L'\0';
    arguments[1023] = L'\0';
    target = L"\"" + expandVariables(program) + L"\"";
    if (arguments[0] != L'\0')
        target += L" " + expandVariables(arguments);
    return true;
}

bool writeShellLink(const std::wstring& linkPath, const std::wstring& target,
                    const std::wstring& arguments, const std::wstring& folder, std::wstring& why) {
    LinkObject object;
    const wchar_t* failed = L"the shell's link object";
    if (object.ready()) {
        if (!object.step(object.link->SetPath(target.c_str())))
            failed = L"the shortcut's target";
        else if (!object.step(object.link->SetArguments(arguments.c_str())))
            failed = L"the shortcut's arguments";
        else if (!object.step(object.link->SetWorkingDirectory(folder.c_str())))
            failed = L"the shortcut's working folder";
        else if (!object.step(object.link->SetIconLocation(target.c_str(), 0)))
            failed = L"the shortcut's icon";
        else if (!object.step(object.file->Save(linkPath.c_str(), TRUE)))
            failed = L"the shortcut file";
    }
    if (object.ready())
        return true;
    wchar_t code[16];
    wsprintfW(code, L"0x%08lx", static_cast<unsigned long>(object.result));
    why = L"the shell refused " + std::wstring(failed) + L" (" + code + L")";
    return false;
}

#endif
