#include "watch/target_window.h"
#include "shell/app_state.h"
#include "shell/platform.h"
#include "watch/outcome.h"
#include <cwchar>

namespace {

constexpr size_t kTargetTextChars = 1024;

// Filled once: the rule never changes after loading.
struct TargetCache {
    bool prepare = true;
    wchar_t classBuffer[kTargetTextChars];
    wchar_t titleBuffer[kTargetTextChars];
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
} cache;

const wchar_t* copyCut(const std::wstring& text, wchar_t* buffer) {
    if (text.empty())
        return nullptr;
    const size_t length = text.size() < kTargetTextChars - 1 ? text.size() : kTargetTextChars - 1;
    wmemcpy(buffer, text.data(), length);
    buffer[length] = L'\0';
    return buffer;
}

} // namespace

HWND findTargetWindow() {
    if (cache.prepare) {
        cache.prepare = false;
        cache.className = copyCut(app.rule.class_, cache.classBuffer);
        cache.title = copyCut(app.rule.title, cache.titleBuffer);
    }
    return FindWindowW(cache.className, cache.title);
}

bool triggerHolds(HWND window) {
    const bool foreground =
        triggerNeedsForeground(app.rule.trigger) && window && window == GetForegroundWindow();
    return triggerHoldsFor(app.rule.trigger, window != nullptr, foreground);
}

void openOwnerProcess(ProcessHandle& holder, HWND window) {
    holder.reset();
    if (!window)
        return;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    holder.reset(OpenProcess(ownerProcessAccess(), FALSE, processId));
}
