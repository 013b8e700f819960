#include "watch/target_window.h"
#include "base/case_fold.h"
#include "base/settings.h"
#include "shell/app_state.h"
#include "shell/platform.h"
#include "watch/outcome.h"
#include "watch/window_match.h"
#include <cwchar>

namespace {

// Filled once: the rule never changes after loading.
struct TargetCache {
    bool unprepared = true;
    wchar_t classBuffer[kLongestWindowKey + 1];
    wchar_t titleBuffer[kLongestWindowKey + 1];
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    WindowQuery query;
    // Whether each window's class and program are the rule's: neither changes
    // while the window lives, so each window is asked once.
    WindowVerdicts classAndProgram;
} cache;

const wchar_t* copyCut(const std::wstring& text, wchar_t* buffer) {
    if (text.empty())
        return nullptr;
    const size_t length = text.size() < kLongestWindowKey ? text.size() : kLongestWindowKey;
    wmemcpy(buffer, text.data(), length);
    buffer[length] = L'\0';
    return buffer;
}

void prepare() {
    cache.unprepared = false;
    cache.className = copyCut(app.rule.class_, cache.classBuffer);
    cache.title = copyCut(app.rule.title, cache.titleBuffer);
    cache.query = prepareWindowQuery(app.rule, kProgramName, foldCase);
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// A window's facts, each read only when the judgement comes to it.
struct LiveWindow {
    HWND window;
    std::wstring folded(WindowText which) const {
        std::wstring text = readWindowText(window, which, kLongestWindowKey + 1);
        foldCase(text);
        return text;
    }
    std::wstring className() const { return folded(WindowText::ClassName); }
    std::wstring title() const { return folded(WindowText::Title); }
    bool program(std::wstring& path) const {
        const DWORD process = processOf(window);
        if (process == 0 || !processImagePath(process, path))
            return false;
        foldCase(path);
        return true;
    }
    bool visible() const { return IsWindowVisible(window) != FALSE; }
    bool taskbarShows() const { return !GetWindow(window, GW_OWNER) && isTaskbarWindow(window); }
};

// What cannot change is known from an earlier look.
bool isTheTarget(HWND window) {
    LiveWindow live{window};
    const Verdict kind =
        cache.classAndProgram.judge(window, [&live] { return lastingFit(cache.query, live); });
    return kind == Verdict::Yes && passingFit(cache.query, live);
}

// The first window found, and all of them when asked for.
struct Finding {
    HWND first;
    std::vector<std::uintptr_t>* all;
};

BOOL CALLBACK considerWindow(HWND window, LPARAM context) {
    auto* finding = reinterpret_cast<Finding*>(context);
    if (!isTheTarget(window))
        return TRUE;
    if (!finding->first)
        finding->first = window;
    if (finding->all)
        finding->all->push_back(reinterpret_cast<std::uintptr_t>(window));
    return finding->all ? TRUE : FALSE;
}

// In the order EnumWindows gives.
HWND enumerateTargets(std::vector<std::uintptr_t>* all) {
    Finding finding{nullptr, all};
    cache.classAndProgram.beginLook();
    EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&finding));
    cache.classAndProgram.endLook();
    return finding.first;
}

} // namespace

HWND findTargetWindow() {
    if (cache.unprepared)
        prepare();
    if (cache.query.byEnumeration)
        return enumerateTargets(nullptr);
    return FindWindowW(cache.className, cache.title);
}

std::vector<std::uintptr_t> findTargetWindows() {
    if (cache.unprepared)
        prepare();
    std::vector<std::uintptr_t> found;
    if (cache.query.byEnumeration) {
        enumerateTargets(&found);
        return found;
    }
    for (HWND window = nullptr;
         (window = FindWindowExW(nullptr, window, cache.className, cache.title)) != nullptr;)
        found.push_back(reinterpret_cast<std::uintptr_t>(window));
    return found;
}

bool isInFrontOf(HWND window, HWND front) {
    if (!window || !front)
        return false;
    if (cache.unprepared)
        prepare();
    return countsAsInFront(cache.query, window == front,
                           cache.query.mainWindow && processOf(front) == processOf(window));
}

bool isInFront(HWND window) {
    return isInFrontOf(window, window ? GetForegroundWindow() : nullptr);
}

TriggerSeen judgeTrigger(HWND window) {
    HWND front =
        triggerNeedsForeground(app.rule.trigger) && window ? GetForegroundWindow() : nullptr;
    const bool inFront = isInFrontOf(window, front);
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
