#include "watch/target_window.h"
#include "base/settings.h"
#include "shell/app_state.h"
#include "shell/platform.h"
#include "watch/outcome.h"
#include "watch/window_match.h"
#include <cwchar>

namespace {

constexpr int kTargetTextChars = 1024;

// Filled once: the rule never changes after loading.
struct TargetCache {
    bool unprepared = true;
    wchar_t classBuffer[kTargetTextChars];
    wchar_t titleBuffer[kTargetTextChars];
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    bool byEnumeration = false;
    bool mainWindow = false;
    // A title compared in part also matches the hidden helper windows that
    // programs keep (IME, OLE, tray windows): only visible ones count.
    bool visibleOnly = false;
    std::wstring foldedClass;
    std::wstring foldedTitle;
    std::wstring foldedProcess;
    std::wstring foldedOwnClass; // a waiting Palimoor's window is titled [section]
    // Whether each window's class and program are the rule's: neither changes
    // while the window lives, so each window is asked once.
    WindowVerdicts classAndProgram;
} cache;

const wchar_t* copyCut(const std::wstring& text, wchar_t* buffer) {
    if (text.empty())
        return nullptr;
    const size_t most = kTargetTextChars - 1;
    const size_t length = text.size() < most ? text.size() : most;
    wmemcpy(buffer, text.data(), length);
    buffer[length] = L'\0';
    return buffer;
}

std::wstring folded(std::wstring text) {
    foldCase(text);
    return text;
}

void prepare() {
    cache.unprepared = false;
    cache.className = copyCut(app.rule.class_, cache.classBuffer);
    cache.title = copyCut(app.rule.title, cache.titleBuffer);
    cache.byEnumeration = looksWindowByWindow(app.rule);
    cache.mainWindow = watchesMainWindow(app.rule);
    cache.visibleOnly = countsOnlyVisible(app.rule);
    cache.foldedClass = folded(cache.className ? cache.className : L"");
    cache.foldedTitle = folded(cache.title ? cache.title : L"");
    cache.foldedProcess = folded(app.rule.process);
    cache.foldedOwnClass = folded(kProgramName);
}

std::wstring foldedText(HWND window, WindowText which) {
    return folded(readWindowText(window, which, kTargetTextChars));
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// Unread when the program cannot be read now: asked again at the next look.
Verdict programIsTheRules(HWND window) {
    std::wstring path;
    const DWORD process = processOf(window);
    if (process == 0 || !processImagePath(process, path))
        return Verdict::Unread;
    return programMatches(cache.foldedProcess, folded(path)) ? Verdict::Yes : Verdict::No;
}

// A rule's own class may name Palimoor's; no other rule finds a waiting
// instance's window, whose title holds the section's name.
Verdict classAndProgramAreTheRules(HWND window) {
    const std::wstring windowClass = foldedText(window, WindowText::ClassName);
    const bool classFits =
        cache.className ? windowClass == cache.foldedClass : windowClass != cache.foldedOwnClass;
    if (!classFits)
        return Verdict::No;
    return app.rule.process.empty() ? Verdict::Yes : programIsTheRules(window);
}

// What cannot change first: it is known from an earlier look. The title is
// read last, as it is the dearest.
bool isTheTarget(HWND window) {
    const Verdict kind = cache.classAndProgram.judge(
        window, [window] { return classAndProgramAreTheRules(window); });
    if (kind != Verdict::Yes)
        return false;
    if (cache.visibleOnly && !IsWindowVisible(window))
        return false;
    if (cache.mainWindow && (GetWindow(window, GW_OWNER) || !isTaskbarWindow(window)))
        return false;
    return !cache.title || titleMatches(app.rule.titlematch, foldedText(window, WindowText::Title),
                                        cache.foldedTitle);
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
    cache.classAndProgram.beginLook();
    EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&found));
    cache.classAndProgram.endLook();
    return found;
}

} // namespace

HWND findTargetWindow() {
    if (cache.unprepared)
        prepare();
    if (cache.byEnumeration)
        return enumerateTarget();
    return FindWindowW(cache.className, cache.title);
}

namespace {

bool inFrontOf(HWND window, HWND front) {
    if (!window || !front)
        return false;
    return watchesMainWindow(app.rule) ? processOf(front) == processOf(window) : window == front;
}

} // namespace

bool isInFront(HWND window) {
    return inFrontOf(window, window ? GetForegroundWindow() : nullptr);
}

TriggerSeen judgeTrigger(HWND window) {
    HWND front =
        triggerNeedsForeground(app.rule.trigger) && window ? GetForegroundWindow() : nullptr;
    const bool inFront = inFrontOf(window, front);
    return {triggerHoldsFor(app.rule.trigger, window != nullptr, inFront), front, inFront};
}

bool triggerHolds(HWND window) {
    return judgeTrigger(window).holds;
}

void openOwnerProcess(ProcessHandle& holder, HWND window) {
    holder.reset();
    if (!window)
        return;
    holder.reset(OpenProcess(ownerProcessAccess(), FALSE, processOf(window)));
}

DWORD windowProcess(HWND window) {
    return processOf(window);
}
