#include "ctl/observed/status_words.h"
#include "ctl/io/shown_text.h"
#include "rules/rule_keys.h"
#include "watch/outcome.h"

namespace {

std::wstring keyWord(RuleField field, std::int32_t value) {
    return keyWordFor(ruleKey(field), value);
}

// The window the rule names, as a user would say it.
std::wstring ruleWindow(const Rule& rule) {
    const wchar_t* const how[] = {L"", L"a window whose title starts with ",
                                  L"a window whose title contains ",
                                  L"a window whose title ends with "};
    if (watchesMainWindow(rule))
        return visible(rule.process) + L"'s main window";
    std::wstring text;
    if (!rule.title.empty())
        text = how[static_cast<int>(rule.titlematch)] + quoted(rule.title);
    else
        text = L"a window of class " + quoted(rule.class_);
    if (!rule.title.empty() && !rule.class_.empty())
        text += L" of class " + quoted(rule.class_);
    if (!rule.process.empty())
        text += L" of " + visible(rule.process);
    return text;
}

std::wstring windowName(const WindowSeen& window) {
    if (!window.title.empty())
        return quoted(window.title);
    return L"a window of class " + quoted(window.className);
}

// Where the rule's window is now, as far as the trigger cares.
std::wstring whereItIs(const InstanceStatus& status) {
    const LookSeen& look = status.record.look;
    if (look.window == 0)
        return L"none is there yet";
    std::wstring where = L"it is there";
    if (status.window.minimized)
        where += L", minimized";
    if (!triggerNeedsForeground(static_cast<TriggerState>(status.record.trigger)))
        return where;
    if (look.inFront)
        return where + L", in front";
    if (look.front != 0 && status.front.there)
        return where + L", behind " + windowName(status.front);
    return where + L", not in front";
}

std::wstring handleText(std::uint32_t handle) {
    const wchar_t* const hex = L"0123456789abcdef";
    std::wstring text = L"0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += hex[(handle >> shift) & 15];
    return text;
}

std::wstring timeoutText(const StatusRecord& record) {
    if (record.timeoutLeft < 0)
        return L"no timeout";
    return L"ontimeout in " + durationText(static_cast<std::uint32_t>(record.timeoutLeft));
}

// Which events it listens to, or since when it does not, and the last that woke it.
std::wstring eventsText(const StatusRecord& record) {
    if (record.processWatch)
        return L"none: it waits for the process";
    std::wstring text;
    if (record.listening) {
        const wchar_t* const planned[] = {L"a window appearing", L"its window going",
                                          L"a new title", L"a window shown or hidden",
                                          L"the front moving"};
        for (unsigned bit = 0; bit < 5; ++bit) {
            if (record.eventsPlanned & (1u << bit))
                text += (text.empty() ? L"listens to " : L", ") + std::wstring(planned[bit]);
        }
        if (text.empty())
            text = L"none needed";
    } else if (static_cast<std::int32_t>(record.shedUntil - record.now) > 0) {
        text = L"shed until +" + durationText(record.shedUntil - record.now) + L" (a storm: " +
               std::to_wstring(record.stormEvents) + L" events in 2 s)";
    } else {
        text = L"none heard on this system; it looks every " + std::to_wstring(record.polling) +
               L" ms";
    }
    if (record.lastEvent != 0) {
        const wchar_t* const kinds[] = {L"a window appearing", L"a window going",
                                        L"a window shown or hidden", L"a new title",
                                        L"the front moving"}; // in EventKind's order
        text += L"; woken last by " + std::wstring(kinds[(record.lastEvent - 1) % 5]) + L", " +
                durationText(record.now - record.lastEventAt) + L" ago";
    }
    return text;
}

std::wstring sawText(const InstanceStatus& status) {
    const LookSeen& look = status.record.look;
    if (look.window == 0)
        return L"no window";
    const WindowSeen& seen = status.window;
    return handleText(look.window) + L"  class " + quoted(seen.className) + L"  title " +
           quoted(seen.title) + L"  " +
           (seen.program.empty() ? L"program unreadable" : visible(seen.program)) +
           (look.inFront ? L"  in front" : L"") + (seen.minimized ? L"  minimized" : L"") +
           (seen.hidden ? L"  hidden" : L"") + (seen.there ? L"" : L"  (gone since)");
}

// The windows it nearly finds, one line each.
std::wstring nearText(const InstanceStatus& status) {
    std::wstring text;
    for (const std::wstring& nearby : status.nearest)
        text += (text.empty() ? L"  near:     " : L"            ") + nearby + L"\n";
    return text;
}

std::wstring repeatWord(std::int32_t repeat) {
    return repeat < 0 ? keyWord(RuleField::Repeat, repeat) : std::to_wstring(repeat);
}

// A repeating rule's count and its last fire; nothing for a rule that runs once.
std::wstring firedText(const StatusRecord& record) {
    if (record.repeat == 0)
        return L"";
    return L"  repeat:   " + repeatWord(record.repeat) + L", fired " +
           std::to_wstring(record.fired) + (record.fired == 1 ? L" time" : L" times") +
           L"; last fired: " +
           (record.fired == 0 ? std::wstring(L"never yet")
                              : durationText(record.now - record.lastFiredAt) + L" ago") +
           L"\n";
}

} // namespace

std::wstring durationText(std::uint32_t ms) {
    if (ms < 1000)
        return std::to_wstring(ms) + L" ms";
    if (ms < 60000)
        return std::to_wstring(ms / 1000) + L"." + std::to_wstring(ms % 1000 / 100) + L" s";
    return std::to_wstring(ms / 60000) + L" min " + std::to_wstring(ms % 60000 / 1000) + L" s";
}

std::wstring waitsFor(const InstanceStatus& status) {
    const StatusRecord& record = status.record;
    const std::wstring window = status.ruleRead ? ruleWindow(status.rule) : L"its window";
    const bool there = record.look.window != 0;
    if (record.processWatch)
        return L"waits for the program of " + window + L" to end; " +
               (status.window.there ? L"its window is there"
                                    : L"its window has gone, its process lives on");
    switch (static_cast<TriggerState>(record.trigger)) {
    case TriggerState::running:
    case TriggerState::not_closed:
        return L"waits for " + window + L" to appear; " + whereItIs(status);
    case TriggerState::active:
        return L"waits for " + window + L" to come to the front; " + whereItIs(status);
    case TriggerState::inactive:
        return L"waits for " + window + L" to leave the front; " + whereItIs(status);
    case TriggerState::not_active:
        return L"waits for " + window + L" to go or leave the front; " +
               (there ? whereItIs(status) : L"it is gone");
    case TriggerState::not_inactive:
        return L"waits for " + window + L" to go or come to the front; " +
               (there ? whereItIs(status) : L"it is gone");
    case TriggerState::closed:
    case TriggerState::not_running:
        break;
    }
    return L"waits for " + window + L" to close; " + whereItIs(status);
}

std::wstring statusText(const InstanceStatus& status) {
    const StatusRecord& record = status.record;
    const std::uint32_t looks = record.look.looks;
    return L"[" + visible(status.section) + L"]  pid " + std::to_wstring(record.process) + L"\n" +
           L"  rule:     " + visible(ruleFileOf(record)) + L"  trigger=" +
           keyWord(RuleField::Trigger, record.trigger) + L" check=" +
           keyWord(RuleField::Check, record.check) + L" polling=" +
           std::to_wstring(record.polling) + L"\n" +
           (status.ruleEdited
                ? L"  edited:   the section in the file is not the one this instance loaded: the "
                  L"window it names here is the file's now, the numbers are the running rule's\n"
                : L"") +
           L"  waiting:  for " + durationText(record.now - record.waitingSince) + L", " +
           std::to_wstring(looks) + (looks == 1 ? L" look" : L" looks") +
           (looks > 0 ? L", the last " + durationText(record.now - record.look.lastLook) + L" ago"
                      : L"") +
           L"\n" + L"  saw:      " + sawText(status) + L"\n" + L"  now:      " + waitsFor(status) +
           L"\n" + nearText(status) + firedText(record) + L"  timeout:  " + timeoutText(record) +
           L"\n" + L"  events:   " + eventsText(record) + L"\n";
}

void writeStatusJson(JsonWriter& json, const InstanceStatus& status) {
    const StatusRecord& record = status.record;
    json.beginObject(true).key(L"section").string(status.section);
    json.key(L"pid").value(std::to_wstring(record.process));
    json.key(L"rule_file").string(ruleFileOf(record));
    json.key(L"edited_since").boolean(status.ruleEdited);
    json.key(L"trigger").string(keyWord(RuleField::Trigger, record.trigger));
    json.key(L"check").string(keyWord(RuleField::Check, record.check));
    json.key(L"polling").value(std::to_wstring(record.polling));
    json.key(L"waiting_ms").value(std::to_wstring(record.now - record.waitingSince));
    json.key(L"looks").value(std::to_wstring(record.look.looks));
    json.key(L"window");
    if (record.look.window == 0) {
        json.value(L"null");
    } else {
        const WindowSeen& seen = status.window;
        json.beginObject().key(L"handle").string(handleText(record.look.window));
        json.key(L"class").string(seen.className).key(L"title").string(seen.title);
        json.key(L"program").value(seen.program.empty() ? L"null" : jsonString(seen.program));
        json.key(L"in_front").boolean(record.look.inFront != 0);
        json.key(L"minimized").boolean(seen.minimized).key(L"hidden").boolean(seen.hidden);
        json.key(L"there").boolean(seen.there).close();
    }
    json.key(L"waits_for").string(waitsFor(status));
    json.key(L"near").beginArray();
    for (const std::wstring& nearby : status.nearest)
        json.string(nearby);
    json.close();
    json.key(L"timeout_left_ms")
        .value(record.timeoutLeft < 0 ? L"null" : std::to_wstring(record.timeoutLeft));
    json.key(L"events").string(eventsText(record));
    json.key(L"repeat").value(record.repeat == 0 ? L"null" : jsonString(repeatWord(record.repeat)));
    json.key(L"fired").value(std::to_wstring(record.fired));
    json.key(L"last_fired_ms_ago")
        .value(record.fired == 0 ? L"null" : std::to_wstring(record.now - record.lastFiredAt));
    json.close();
}
