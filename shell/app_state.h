// The one process-wide state object. Fields that the window thread and the
// timer thread share with the main thread are atomic: the design has no
// locks, and an unsynchronised word shared between threads is a data race.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <atomic>
#include "base/reporter.h"
#include "base/settings.h"
#include "rules/rule.h"

struct AppState {
    HINSTANCE instance = nullptr;
    wchar_t modulePath[MAX_PATH] = {};
    std::atomic<HANDLE> workerThread{nullptr};
    std::atomic<HWND> shellWindow{nullptr};
    NOTIFYICONDATAW notifyIcon = {};
    std::atomic<bool> timerArmed{false};
    std::atomic<UINT> timerId{0};
    Settings settings;
    Rule rule;
    std::atomic<bool> timedOut{false};
    Reporter reporter{nullptr, true};
};

extern AppState app;
