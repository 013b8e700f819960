// The one process-wide state object. Fields that the window thread and the
// timer thread share with the main thread are atomic: the threads take no
// lock, and an unsynchronised word shared between threads is a data race.
// The timeout (whether it is armed, its pending step) belongs to the window
// thread alone.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <atomic>
#include "base/reporter.h"
#include "base/settings.h"
#include "rules/rule.h"
#include "shell/timeout_chain.h"
#include "shell/window_events.h"

struct AppState {
    HINSTANCE instance = nullptr;
    wchar_t modulePath[MAX_PATH] = {};
    std::atomic<HANDLE> workerThread{nullptr};
    std::atomic<HWND> shellWindow{nullptr};
    // A polling watch's wake-up, and the window events that may call for it;
    // set before the window thread starts.
    HANDLE lookNow = nullptr;
    EventPlan eventPlan;
    DWORD eventProcess = 0;
    NOTIFYICONDATAW notifyIcon = {};
    TimeoutChain timeout;
    Settings settings;
    Rule rule;
    std::wstring ruleFile; // the rule file read, once it is (status and the history name it)
    std::atomic<bool> timedOut{false};
    Reporter reporter{nullptr, true};
};

extern AppState app;
