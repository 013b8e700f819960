// The rule: the one INI section this invocation carries out.
#pragma once
#include "base/reporter.h"
#include <cstdint>
#include <string>
#include <vector>

enum class CheckMode : std::uint32_t { current = 1, change = 2, both = 3 };

enum class TriggerState : std::uint32_t {
    closed = 1,
    running = 2,
    active = 3,
    inactive = 4,
    not_closed = 11,
    not_running = 12,
    not_active = 13,
    not_inactive = 14,
};

// How `title` is compared with a window's title: whole, or its beginning,
// any part of it, or its end.
enum class TitleMatch : std::uint32_t { exact = 0, start = 1, contains = 2, end = 3 };

using CommandList = std::vector<std::wstring>;

// Reports through its Reporter part, which start-up assigns from the
// process-wide reporter, so the rule speaks with the same caption and switch.
class Rule : public Reporter {
  public:
    Rule() : Reporter(nullptr, false) { resetRule(); }

    void assignReporter(const Reporter& reporter) { static_cast<Reporter&>(*this) = reporter; }
    void resetRule();

    std::wstring class_; // `class` in the rule file; empty means any class
    std::wstring title;  // empty means any title
    CheckMode check;
    TriggerState trigger;
    std::int32_t sleep; // ms before `exec` runs
    CommandList exec;
    std::int32_t timeout; // ms; -1 never expires
    CommandList ontimeout;
    CommandList onunmatch;
    std::int32_t polling; // ms between looks while waiting
    // Keys beyond the handheld's: the program that owns the window (its file
    // name, or its whole path when it holds a backslash), and how the title
    // is compared. A rule without them is looked up as it always was.
    std::wstring process;
    TitleMatch titlematch;
    // How many times the rule fires before the instance ends: 0 (the key
    // absent) once, as always; kRepeatForever for `infinite`.
    std::int32_t repeat;
};

constexpr std::int32_t kRepeatOnce = 0;
constexpr std::int32_t kRepeatForever = -1;
// Whether the instance keeps watching after a list has run: repeat= given,
// and a check that waits at all.
bool repeats(const Rule& rule);

// A rule with process= alone means the program's main window: its first
// window the taskbar shows (visible, unowned, no tool window). Its "in front"
// is any window of the program in front.
bool watchesMainWindow(const Rule& rule);
// A rule with process= or a title compared in part is looked up window by
// window; any other as it always was, by the system's FindWindowW.
bool looksWindowByWindow(const Rule& rule);
// Whether only visible windows can be the rule's: a main window, and a title
// compared in part (which hidden helper windows would match too).
bool countsOnlyVisible(const Rule& rule);
