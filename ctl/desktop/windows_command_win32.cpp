// `palimoorctl windows`: the top-level windows, which one a rule finds, and
// the changes as they happen.
#include "ctl/desktop/desktop_commands.h"
#include "ctl/observed/desktop_look.h"
#include "ctl/observed/near_miss.h"
#include "ctl/observed/window_list.h"
#include "ctl/io/json_writer.h"
#include "ctl/reading/outcome_words.h"
#include "ctl/reading/section_names.h"
#include "rules/rule_keys.h"
#include "shell/app_state.h"
#include "watch/outcome.h"
#include "watch/target_window.h"

namespace {

constexpr DWORD kWatchIntervalMs = 50;

int listWindows(bool all, bool json, const Console& console) {
    JsonWriter writer;
    writer.beginArray(true);
    std::wstring out;
    for (const WindowInfo& window : topLevelWindows(all)) {
        if (json)
            writeWindowJson(writer, window);
        else
            out += windowLine(window) + L"\n";
    }
    console.print(json ? writer.close().take() : out);
    return 0;
}

std::wstring outcomeNow(const Rule& rule, HWND window) {
    const Outcome outcome = decideAtFirstProbe(rule.check, triggerHolds(window));
    if (outcome != Outcome::Watch)
        return outcomeWords(outcome);
    if (!usesProcessWatch(rule.trigger))
        return std::wstring(outcomeWords(outcome)) + L", looking every " +
               std::to_wstring(rule.polling) + L" ms";
    DWORD processId = 0;
    if (window)
        GetWindowThreadProcessId(window, &processId);
    return window ? std::wstring(outcomeWords(outcome)) + L" for process " +
                        std::to_wstring(processId) + L" to end"
                  : L"finds no process to wait for and runs exec at once";
}

// Windows a process= rule cannot judge now: their program cannot be read.
std::wstring unseenWindows(const Rule& rule) {
    std::wstring out;
    if (rule.process.empty())
        return out;
    for (const WindowInfo& window : topLevelWindows(true)) {
        if (!window.programRead)
            out += windowLine(window) + L"\n";
    }
    return out.empty() ? out
                       : L"cannot see these windows now, as their program cannot be read "
                         L"(palimoor.exe asks again at every look):\n" +
                             out;
}

// The program's own lookup and state test, on the rule given.
int findForRule(const Rule& rule, const std::wstring& origin, const Console& console) {
    app.rule = rule;
    HWND window = findTargetWindow();
    std::wstring out = origin;
    out += window ? L"finds:\n" + windowLine(describeWindow(window)) + L"\n"
                  : std::wstring(L"finds no window\n");
    const std::vector<NearMiss> nearby =
        window ? std::vector<NearMiss>() : nearMisses(rule, lookAtDesktop());
    if (!nearby.empty())
        out += L"nearest windows, and what each misses:\n" + nearMissLines(nearby, L"  ");
    out += unseenWindows(rule);
    const bool foreground = isInFront(window);
    out += L"trigger states now:\n";
    const RuleKey& triggerKey = ruleKey(RuleField::Trigger);
    for (size_t i = 0; i < triggerKey.wordCount; ++i) {
        const KeyWord& word = triggerKey.words[i];
        const auto trigger = static_cast<TriggerState>(word.value);
        out += std::wstring(trigger == rule.trigger ? L"> " : L"  ") + word.word +
               std::wstring(14 - std::wstring(word.word).size(), L' ') +
               (triggerHoldsFor(trigger, window != nullptr, foreground) ? L"holds"
                                                                        : L"does not hold") +
               L"\n";
    }
    out += L"palimoor.exe started now " + outcomeNow(rule, window) + L"\n";
    console.print(out);
    return 0;
}

std::wstring timeStamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[32];
    wsprintfW(text, L"%02u:%02u:%02u.%03u", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    return text;
}

std::wstring watchLine(const wchar_t* word, std::uint64_t handle, const WindowLook& look,
                       std::uint64_t front) {
    const std::wstring words = word;
    const WindowInfo info{reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)),
                          look.className,
                          look.title,
                          look.visible,
                          look.minimized,
                          handle == front,
                          look.process,
                          !look.program.empty(),
                          look.program};
    return timeStamp() + L"  " + words +
           std::wstring(words.size() < 10 ? 10 - words.size() : 0, L' ') + windowLine(info) + L"\n";
}

// The desktop's changes as palimoorctl new records them, said as they come.
int watchWindows(bool all, const Console& console) {
    const wchar_t* const words[] = {L"appears",  L"goes",  L"in front", L"behind",   L"minimized",
                                    L"restored", L"shown", L"hidden",   L"new title"};
    DesktopChanges changes = DesktopChanges::watch(all);
    const DesktopLook first = lookAtDesktop();
    changes.start(first);
    std::wstring out;
    for (const auto& window : first.windows) {
        if (all || window.second.visible)
            out += watchLine(L"present", window.first, window.second, first.front);
    }
    console.print(out);
    const DWORD start = GetTickCount();
    for (;;) {
        Sleep(kWatchIntervalMs);
        changes.next(lookAtDesktop(), GetTickCount() - start);
        out.clear();
        for (const DesktopChange& change : changes.takeChanges())
            out += watchLine(words[static_cast<int>(change.kind)], change.window, change.look,
                             changes.latest().front);
        if (!out.empty())
            console.print(out);
    }
}

} // namespace

int windowsCommand(const ParsedArguments& read, const Console& console) {
    const bool byRule = read.has(L"--rule");
    if (read.positional.size() != (byRule ? 2u : 0u))
        return usageError(console,
                          byRule ? L"--rule needs FILE and SECTION"
                                 : L"unexpected " + quoted(read.positional[0]),
                          L"windows");
    if (read.has(L"--watch"))
        return watchWindows(read.has(L"--all"), console);
    Rule rule;
    if (read.has(L"--class") || read.has(L"--title")) {
        rule.class_ = read.value(L"--class");
        rule.title = read.value(L"--title");
        if (rule.class_.empty() && rule.title.empty())
            return usageError(console, L"give --class or --title (or both)", L"windows");
        return findForRule(rule,
                           L"class " + quoted(rule.class_) + L", title " + quoted(rule.title) +
                               L" (check=current, trigger=closed)\n",
                           console);
    }
    if (!byRule)
        return listWindows(read.has(L"--all"), read.has(L"--json"), console);

    const std::wstring& file = read.positional[0];
    const std::wstring& section = read.positional[1];
    const SectionLoad load = loadSection(file, section);
    if (!load.loaded) {
        console.error(L"palimoorctl windows: [" + visible(section) + L"] of " + visible(file) +
                      L" cannot be loaded (see \"palimoorctl check\")\n");
        return 1;
    }
    return findForRule(load.rule, L"[" + visible(section) + L"] of " + visible(file) + L"\n",
                       console);
}
