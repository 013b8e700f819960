#include "watch/target_window.h"
#include "shell/app_state.h"
#include "shell/platform.h"
#include "watch/outcome.h"
#include "watch/window_match.h"
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
    // A rule with process= or a title compared in part is looked up window
    // by window; every other rule as it always was, by FindWindowW.
    bool byEnumeration = false;
    bool mainWindow = false; // process= alone: the program's main window
    std::wstring foldedClass;
    std::wstring foldedTitle;
    std::wstring foldedProcess;
    // Whether each window's class and program are the rule's: neither changes
    // while the window lives, so each window is asked once.
    WindowVerdicts kinds;
} cache;

const wchar_t* copyCut(const std::wstring& text, wchar_t* buffer) {
    if (text.empty())
        return nullptr;
    const size_t length = text.size() < kTargetTextChars - 1 ? text.size() : kTargetTextChars - 1;
    wmemcpy(buffer, text.data(), length);
    buffer[length] = L'\0';
    return buffer;
}

void prepare() {
    cache.prepare = false;
    cache.className = copyCut(app.rule.class_, cache.classBuffer);
    cache.title = copyCut(app.rule.title, cache.titleBuffer);
    cache.byEnumeration = !app.rule.process.empty() || app.rule.titlematch != TitleMatch::exact;
    cache.mainWindow = !cache.className && !cache.title;
    if (cache.className)
        cache.foldedClass = cache.className;
    if (cache.title)
        cache.foldedTitle = cache.title;
    cache.foldedProcess = app.rule.process;
    foldCase(cache.foldedClass);
    foldCase(cache.foldedTitle);
    foldCase(cache.foldedProcess);
}

// A window's class name or title, folded; at most kTargetTextChars - 1 characters.
std::wstring foldedText(HWND window, bool className) {
    wchar_t text[kTargetTextChars] = {};
    if (className)
        GetClassNameW(window, text, kTargetTextChars);
    else
        GetWindowTextW(window, text, kTargetTextChars);
    std::wstring folded = text;
    foldCase(folded);
    return folded;
}

bool programIsTheRules(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    std::wstring path;
    if (process == 0 || !processImagePath(process, path))
        return false;
    foldCase(path);
    return programMatches(cache.foldedProcess, path);
}

bool kindIsTheRules(HWND window) {
    bool matches = false;
    if (cache.kinds.lookUp(window, matches))
        return matches;
    matches = (!cache.className || foldedText(window, true) == cache.foldedClass) &&
              (app.rule.process.empty() || programIsTheRules(window));
    cache.kinds.remember(window, matches);
    return matches;
}

// What cannot change first: it is known from an earlier look.
bool isTheTarget(HWND window) {
    if (!kindIsTheRules(window))
        return false;
    if (cache.title &&
        !titleMatches(app.rule.titlematch, foldedText(window, false), cache.foldedTitle))
        return false;
    return !cache.mainWindow || (IsWindowVisible(window) && !GetWindow(window, GW_OWNER));
}

BOOL CALLBACK considerWindow(HWND window, LPARAM found) {
    if (!isTheTarget(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The first in the order EnumWindows gives.
HWND enumerateTarget() {
    HWND found = nullptr;
    cache.kinds.beginLook();
    EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&found));
    cache.kinds.endLook(!found);
    return found;
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

} // namespace

HWND findTargetWindow() {
    if (cache.prepare)
        prepare();
    if (cache.byEnumeration)
        return enumerateTarget();
    return FindWindowW(cache.className, cache.title);
}

bool isInFront(HWND window) {
    HWND front = window ? GetForegroundWindow() : nullptr;
    if (!front)
        return false;
    return cache.mainWindow ? processOf(front) == processOf(window) : window == front;
}

bool triggerHolds(HWND window) {
    const bool foreground = triggerNeedsForeground(app.rule.trigger) && isInFront(window);
    return triggerHoldsFor(app.rule.trigger, window != nullptr, foreground);
}

void openOwnerProcess(ProcessHandle& holder, HWND window) {
    holder.reset();
    if (!window)
        return;
    holder.reset(OpenProcess(ownerProcessAccess(), FALSE, processOf(window)));
}
