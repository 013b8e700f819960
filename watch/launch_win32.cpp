#include "shell/app_state.h"
#include "shell/platform.h"
#include "watch/launch.h"
#include "watch/launch_text.h"

namespace {

constexpr size_t kShortcutChars = MAX_PATH;

bool waitForLaunch = false;

bool shellLaunch(const std::wstring& file, const std::wstring& parameters) {
    if (file.empty())
        return true;
    std::wstring name = trimTrailingLineBreaks(file);
    std::wstring params = parameters;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        params = name;
        name = folderViewer();
    }
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = launchExtraMask() | (waitForLaunch ? SEE_MASK_NOCLOSEPROCESS : 0);
    info.lpFile = name.c_str();
    info.lpParameters = params.c_str();
    info.nShow = launchShowCommand();
    const BOOL launched = ShellExecuteExW(&info);
    if (waitForLaunch && launched == TRUE && info.hProcess) {
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hProcess);
    }
    return launched != FALSE;
}

} // namespace

#ifndef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOW) == 60, "the launch record is 60 bytes");
#endif

bool launchCommand(bool wait, const std::wstring& text) {
    const bool previous = waitForLaunch;
    waitForLaunch = wait;
    LaunchParts parts = splitCommandText(text);
    if (parts.shortcut) {
        wchar_t target[kShortcutChars] = {};
        shortcutTarget(parts.file, target, kShortcutChars);
        parts = splitShortcutTarget(target);
    }
    const bool result = shellLaunch(parts.file, parts.parameters);
    waitForLaunch = previous;
    return result;
}
