#include "ctl/explain/explain.h"
#include "base/text_compare.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/outcome_words.h"
#include "rules/rule_keys.h"
#include "watch/command_text.h"
#include "watch/launch_text.h"
#include "watch/outcome.h"
#include "watch/repeat_edges.h"

namespace {

// For a process-only rule "in front" means a window of the program is.
std::wstring triggerMeaning(const Rule& rule) {
    const bool program = watchesMainWindow(rule);
    const std::wstring front = program ? L"a window of its program is in front" : L"is in front";
    const std::wstring behind =
        program ? L"no window of its program is in front" : L"is not in front";
    const std::wstring it = program ? L"" : L"it ";
    switch (rule.trigger) {
    case TriggerState::closed:
    case TriggerState::not_running:
        return L"no such window exists";
    case TriggerState::running:
    case TriggerState::not_closed:
        return L"such a window exists";
    case TriggerState::active:
        return L"the window exists and " + front;
    case TriggerState::inactive:
        return L"the window exists and " + behind;
    case TriggerState::not_active:
        return L"no such window exists, or " + it + behind;
    case TriggerState::not_inactive:
        return L"no such window exists, or " + it + front;
    }
    return L"";
}

std::wstring millisecondsText(std::int32_t ms) {
    return std::to_wstring(ms) + L" ms";
}

std::wstring windowText(const Rule& rule) {
    const std::wstring program =
        (rule.process.find(L'\\') == std::wstring::npos ? L"the program " : L"the program at ") +
        quoted(rule.process);
    if (watchesMainWindow(rule))
        return L"process-only rule: the program's main window, the first window of " + program +
               L" that the taskbar shows (visible, owned by no other window, not a tool window "
               L"such as a splash)";
    const wchar_t* const titleHow[] = {L"title ", L"a title that starts with ",
                                       L"a title that contains ", L"a title that ends with "};
    const std::wstring cls = rule.class_.empty() ? L"any class" : L"class " + quoted(rule.class_);
    const std::wstring title =
        rule.title.empty() ? L"any title"
                           : titleHow[static_cast<int>(rule.titlematch)] + quoted(rule.title);
    return L"the top-level window with " + cls + L" and " + title +
           (rule.process.empty() ? L"" : L", of " + program) +
           (countsOnlyVisible(rule) ? L", visible (a title compared in part also matches the "
                                      L"hidden helper windows that programs keep)"
                                    : L"");
}

// What the rule's kind of lookup cannot see, said where a user would look.
std::wstring windowNotes(const Rule& rule) {
    std::wstring out;
    if (!rule.process.empty())
        out += L"         A window whose program cannot be read (another user's, a protected "
               L"one) is not seen; it is asked about again at every look.\n";
    if (watchesMainWindow(rule) && usesProcessWatch(rule.trigger))
        out += L"         A program closed to the notification area has no visible main window: "
               L"this rule sees it as closed then, at once; it does not wait for the program to "
               L"quit.\n";
    return out;
}

std::wstring outcomeText(Outcome outcome) {
    return outcomeWords(outcome) + std::wstring(outcome == Outcome::Watch ? L" (below)" : L"");
}

std::wstring listText(const wchar_t* name, const CommandList& list, const std::wstring& when) {
    std::wstring out = std::wstring(name) + L" (" + when + L"): ";
    if (list.empty())
        return out + L"no entries, runs nothing\n";
    out += std::to_wstring(list.size()) + (list.size() == 1 ? L" entry\n" : L" entries\n");
    for (size_t i = 0; i < list.size(); ++i)
        out += L"  " + std::to_wstring(i + 1) + L". " + quoted(list[i]) + L"\n     " +
               explainEntry(list[i]) + L"\n";
    return out;
}

std::wstring builtinText(Builtin builtin, bool sync, std::int32_t ms) {
    switch (builtin) {
    case Builtin::Nothing:
        return L"does nothing";
    case Builtin::Activate:
        return sync ? L"brings the target window to the front, retrying every 10 ms until it is "
                      L"in front or gone"
                    : L"brings the target window to the front";
    case Builtin::Inactivate:
        return sync ? L"pushes the target window to the bottom without activating it, again every "
                      L"10 ms while it is still in front"
                    : L"pushes the target window to the bottom without activating it";
    case Builtin::Close:
        return sync ? L"asks the target window to close and waits until its process has ended"
                    : L"asks the target window to close";
    case Builtin::Topmost:
    case Builtin::NotTopmost:
    case Builtin::Minimize:
    case Builtin::Maximize:
    case Builtin::Restore: {
        const wchar_t* const done[] = {L"keeps the target window above every window that is not "
                                       L"topmost",
                                       L"lets the target window go back among the others (no "
                                       L"longer on top)",
                                       L"minimizes the target window",
                                       L"maximizes the target window",
                                       L"restores the target window from minimized or maximized"};
        return std::wstring(done[static_cast<int>(builtin) - static_cast<int>(Builtin::Topmost)]) +
               L", without waiting for its program" +
               (sync ? L", then checks every 10 ms until it is so, while the window is there and "
                       L"its program answers"
                     : L"");
    }
    case Builtin::Sleep:
        return L"pauses " + millisecondsText(ms);
    case Builtin::External:
        break;
    }
    return L"";
}

// A repeating rule: what it fires on, what bounds each wait, what ends it.
std::wstring repeatText(const Rule& rule) {
    if (rule.repeat == kRepeatOnce)
        return L"";
    if (!repeats(rule))
        return L"Repeat:  none: with check=current (the default) the rule looks once and ends "
               L"(repeat has no effect; set check=change or check=both)\n";
    std::wstring out =
        L"Repeat:  after each list it waits again, for the next change into the state; ";
    out += firesPerWindow(rule.trigger)
               ? L"each window that newly meets it fires once, and the built-ins act on that "
                 L"window; a window that stays does not fire again\n"
               : L"the state must stop holding and hold again to fire again\n";
    if (rule.check == CheckMode::change)
        out += L"         A state that already holds at start runs onunmatch once; the watch "
               L"goes on\n";
    if (rule.sleep > 0)
        out += L"         The pause comes before each exec\n";
    out += rule.timeout < 0 ? std::wstring(L"         No timeout: each wait lasts until the next "
                                           L"change\n")
                            : L"         The timeout bounds each wait anew: a wait of " +
                                  millisecondsText(rule.timeout) +
                                  L" without a change runs ontimeout and ends\n";
    out += rule.repeat == kRepeatForever
               ? std::wstring(L"         It never ends by itself: end it from its tray icon, or "
                              L"start it again\n")
               : L"         It ends after exec has run " + std::to_wstring(rule.repeat) +
                     (rule.repeat == 1 ? L" time\n" : L" times\n");
    return out;
}

} // namespace

std::wstring explainEntry(const std::wstring& entry) {
    const SyncSplit split = splitSyncPrefix(entry);
    const bool clipboard = holdsClipboardToken(split.text);
    std::wstring prefix = clipboard ? L"with the clipboard's text (read when the entry runs) in "
                                      L"place of %%CLIPBOARD%%, "
                                    : L"";
    std::int32_t ms = 0;
    // The built-in words are looked for after the substitution, so the
    // clipboard decides what the entry is, unless a "|" before the token
    // already fixes the file to start.
    const size_t bar = split.text.find(L'|');
    const bool fileFixed =
        bar < split.text.find(kClipboardToken) && !startsWithIgnoreCase(split.text, kSleepPrefix);
    const Builtin builtin = clipboard ? Builtin::External : classifyCommand(split.text, ms);
    if (builtin != Builtin::External)
        return prefix + builtinText(builtin, split.sync, ms);
    if (clipboard && !fileFixed)
        return prefix + L"reads the result as a built-in word, a pause or a command to start" +
               (split.sync ? L", and waits for it" : L"");
    const LaunchParts parts = splitCommandText(split.text);
    std::wstring text;
    if (parts.file.empty())
        text = L"starts nothing (the file name is empty)";
    else if (parts.shortcut)
        text = L"starts the target of the shortcut " + quoted(parts.file) +
               L", with the target's own arguments";
    else
        text = L"starts " + quoted(parts.file) + L" through the shell" +
               (parts.parameters.empty() ? L"" : L" with parameters " + quoted(parts.parameters));
    if (split.sync && !parts.file.empty())
        text += L", and waits until the started process ends";
    return prefix + text;
}

std::wstring explainRule(const std::wstring& section, const Rule& rule) {
    std::wstring out = L"[" + visible(section) + L"]\n";
    out += L"Window:  " + windowText(rule) + L"\n" + windowNotes(rule);
    const auto word = [](RuleField field, auto value) {
        return std::wstring(keyWordFor(ruleKey(field), static_cast<std::int32_t>(value)));
    };
    out += L"State:   trigger=" + word(RuleField::Trigger, rule.trigger) + L": holds when " +
           triggerMeaning(rule) + L"\n";
    out += L"Start:   check=" + word(RuleField::Check, rule.check) + L"; Palimoor looks once:\n";
    out += L"  - the state holds:         " + outcomeText(decideAtFirstProbe(rule.check, true)) +
           L"\n";
    out += L"  - the state does not hold: " + outcomeText(decideAtFirstProbe(rule.check, false)) +
           L"\n";
    const bool waits = decideAtFirstProbe(rule.check, false) == Outcome::Watch;
    if (waits) {
        if (usesProcessWatch(rule.trigger))
            out += L"Waiting: on the target window's process until it ends (polling is not "
                   L"used); then exec if the window is gone, else ontimeout\n";
        else
            out += L"Waiting: looks every " + millisecondsText(rule.polling) +
                   L" until the state holds, then runs exec\n";
        out += rule.timeout < 0 ? std::wstring(L"Timeout: none; the wait lasts until the state "
                                               L"holds or the wait is ended\n")
                                : L"Timeout: after " + millisecondsText(rule.timeout) +
                                      (usesProcessWatch(rule.trigger)
                                           ? L" the wait ends; then exec if the window is gone, "
                                             L"else ontimeout\n"
                                           : L" the wait ends and ontimeout runs\n");
        out += L"Ended from the icon or by another start: " +
               std::wstring(usesProcessWatch(rule.trigger)
                                ? L"exec if the window is gone, else ontimeout\n"
                                : L"nothing runs\n");
    } else {
        out += L"Waiting: never (check=current decides at once)\n";
    }
    if (rule.sleep > 0)
        out += L"Before exec: a pause of " + millisecondsText(rule.sleep) +
               L" (not before ontimeout or onunmatch); the window is not looked at again after "
               L"the pause, so exec runs even if its state has changed meanwhile\n";
    out += repeatText(rule);
    out += listText(L"exec", rule.exec, L"when the condition holds");
    out += listText(L"ontimeout", rule.ontimeout,
                    waits ? L"when the wait ends without the condition" : L"never runs");
    out += listText(L"onunmatch", rule.onunmatch,
                    decideAtFirstProbe(rule.check, true) == Outcome::RunOnUnmatch
                        ? L"when the state already holds at start"
                    : decideAtFirstProbe(rule.check, false) == Outcome::RunOnUnmatch
                        ? L"when the state does not hold at start"
                        : L"never runs");
    return out;
}
