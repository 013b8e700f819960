// What a waiting instance's status record says, in palimoorctl's words: the
// one sentence of what it waits for and why that has not happened yet, and
// the details around it. Portable: the record and the windows come as data.
#pragma once
#include "ctl/io/json_writer.h"
#include "rules/rule.h"
#include "shell/status_record.h"
#include <string>

// A window as palimoorctl reads it now, by the handle the instance named.
struct WindowSeen {
    bool there = false; // the handle still names a window
    std::wstring className;
    std::wstring title;
    std::wstring program; // empty when it cannot be read
    bool minimized = false;
    bool hidden = false;
};

struct InstanceStatus {
    std::wstring section;
    StatusRecord record;
    bool ruleRead = false;   // the section loaded from the record's rule file
    bool ruleEdited = false; // its key lines are not those the instance loaded
    Rule rule;
    WindowSeen window; // the rule's window at the last look
    WindowSeen front;  // the window in front at the last look, where the trigger asked
    std::vector<std::wstring> nearest; // when it saw none: the windows it nearly finds
};

// "waits for "Mail" to come to the front; it is there, behind "Untitled - Notepad""
std::wstring waitsFor(const InstanceStatus& status);
// The whole answer, a line each: file and section, trigger and check,
// polling, since when, looks, the window seen, the sentence, the timeout,
// the window events.
std::wstring statusText(const InstanceStatus& status);
void writeStatusJson(JsonWriter& json, const InstanceStatus& status);
// "1 min 12 s", "3.2 s", "800 ms".
std::wstring durationText(std::uint32_t ms);
