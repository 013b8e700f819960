#include "shell/app_state.h"
#include "shell/platform.h"
#include "watch/launch.h"
#include "watch/launch_text.h"

namespace {

constexpr size_t kShortcutChars = MAX_PATH;

bool waitForLaunch = false;

Launched shellLaunch(const std::wstring& file, const std::wstring& parameters) {
    if (file.empty())
        return {true, 0, 0};
    std::wstring name = trimTrailingLineBreaks(file);
    std::wstring params = parameters;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        params = name;
        name = folderViewer();
    }
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // The process is asked for always: the history names it.
    info.fMask = launchExtraMask() | SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = name.c_str();
    info.lpParameters = params.c_str();
    info.nShow = launchShowCommand();
    const BOOL launched = ShellExecuteExW(&info);
    const DWORD error = launched ? 0 : GetLastError();
    const DWORD process = launched && info.hProcess ? launchedProcessId(info.hProcess) : 0;
    if (waitForLaunch && launched == TRUE && info.hProcess)
        WaitForSingleObject(info.hProcess, INFINITE);
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return {launched != FALSE, process, error};
}

} // namespace

#ifndef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOW) == 60, "the launch record is 60 bytes");
#endif

Launched launchCommand(bool wait, const std::wstring& text) {
    const bool previous = waitForLaunch;
    waitForLaunch = wait;
    LaunchParts parts = splitCommandText(text);
    if (parts.shortcut) {
        wchar_t target[kShortcutChars] = {};
        shortcutTarget(parts.file, target, kShortcutChars);
        parts = splitShortcutTarget(target);
    }
    const Launched result = shellLaunch(parts.file, parts.parameters);
    waitForLaunch = previous;
    return result;
}
