#include "watch/target_window.h"
#include "base/case_fold.h"
#include "base/settings.h"
#include "shell/app_state.h"
#include "shell/event_hooks.h"
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
    // The last look over every window: whether it met them all, when, and
    // the count of windows appeared then (shell/event_hooks.h).
    bool walkedAll = false;
    DWORD walkedAt = 0;
    std::uint32_t appearedThen = 0;
} cache;

// However well windows appearing are heard, every window is looked over at
// least this often, so that one whose appearing was never told is still met.
constexpr DWORD kLongestBetweenWalksMs = 2000;

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

// While no window has appeared since the last look over all of them, only
// the windows it found to be the rule's (or could not read) can be: under
// Wine each window listed costs a round trip to the server, so a look at a
// few instead of 200 costs what FindWindowW does. More than one found asks
// for the whole walk, which gives them in the order the system does.
bool lookAtCandidates(Finding& finding) {
    std::uint32_t appeared = 0;
    if (!cache.walkedAll || !appearingHeard(appeared) || appeared != cache.appearedThen ||
        GetTickCount() - cache.walkedAt >= kLongestBetweenWalksMs)
        return false;
    HWND found = nullptr;
    const bool one = cache.classAndProgram.eachCandidate([&found](const void* candidate) {
        HWND window = static_cast<HWND>(const_cast<void*>(candidate));
        LiveWindow live{window};
        // A gone window fails the title or the visibility but may pass the
        // rest: asked last, as it costs a round trip of its own.
        if (cache.classAndProgram.recheck(
                window, [&live] { return lastingFit(cache.query, live); }) != Verdict::Yes ||
            !passingFit(cache.query, live) || !IsWindow(window))
            return true; // a gone one is forgotten at the next whole walk
        if (found)
            return false;
        found = window;
        return true;
    });
    if (!one)
        return false;
    finding.first = found;
    if (found && finding.all)
        finding.all->push_back(reinterpret_cast<std::uintptr_t>(found));
    return true;
}

// In the order EnumWindows gives. A class given beside the process or a
// title compared in part narrows the walk to the windows of that class,
// which the system finds by itself.
HWND enumerateTargets(std::vector<std::uintptr_t>* all) {
    Finding finding{nullptr, all};
    if (lookAtCandidates(finding))
        return finding.first;
    std::uint32_t appeared = 0;
    appearingHeard(appeared); // before the walk: what appears during it is looked at next
    cache.classAndProgram.beginLook();
    if (cache.className) {
        for (HWND window = nullptr;
             (window = FindWindowExW(nullptr, window, cache.className, nullptr)) != nullptr &&
             considerWindow(window, reinterpret_cast<LPARAM>(&finding));)
            ;
    } else {
        EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&finding));
    }
    cache.classAndProgram.endLook();
    cache.walkedAll = all || !finding.first; // a walk stops at the first found
    cache.walkedAt = GetTickCount();
    cache.appearedThen = appeared;
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
