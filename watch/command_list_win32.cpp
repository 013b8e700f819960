// Running one command list: built-ins on the target window, pauses, launches,
// and what became of each, for the history.
#include "watch/command_list.h"
#include "shell/app_state.h"
#include "shell/history.h"
#include "shell/instance_control.h"
#include "shell/platform.h"
#include "watch/builtins.h"
#include "watch/clipboard.h"
#include "watch/command_text.h"
#include "watch/launch.h"
#include "watch/target_window.h"
#include "watch/window_match.h"
#include <new>

namespace {

// How long a window asked to close may take before the history calls the
// close refused; only a window that stays costs the wait, after the list.
constexpr DWORD kCloseGraceMs = 1000;

// What became of an entry: its result, a process id or Windows error, and
// the window asked to close (judged after the list).
struct Outcome {
    EntryResult result;
    DWORD number;
    HWND asked;
};

Outcome runEntry(const std::wstring& entry) {
    const SyncSplit split = splitSyncPrefix(entry);
    // Read only where it is used: reading can take up to a second.
    const std::wstring text = holdsClipboardToken(split.text)
                                  ? expandClipboardToken(split.text, readClipboardText())
                                  : split.text;
    std::int32_t sleepMs = 0;
    const Builtin builtin = classifyCommand(text, sleepMs);
    if (builtin == Builtin::Sleep) {
        Sleep(static_cast<DWORD>(sleepMs));
        return {EntryResult::Nothing, 0, nullptr};
    }
    if (builtin == Builtin::External) {
        const Launched launched = launchCommand(split.sync, text);
        return launched.started ? Outcome{EntryResult::Started, launched.process, nullptr}
                                : Outcome{EntryResult::NotStarted, launched.error, nullptr};
    }
    const EntryResult result = runBuiltin(builtin, split.sync);
    return {result, 0, builtin == Builtin::Close ? lastClosed() : nullptr};
}

const CommandList& listOf(ListKind kind) {
    switch (kind) {
    case ListKind::Exec:
        return app.rule.exec;
    case ListKind::OnUnmatch:
        return app.rule.onunmatch;
    default:
        return app.rule.ontimeout;
    }
}

// The record's window: the one the list acted on, as it is now.
void describe(std::wstring& line, HWND window) {
    const bool there = window != nullptr && IsWindow(window);
    std::wstring path;
    DWORD process = 0;
    if (there)
        GetWindowThreadProcessId(window, &process);
    addHistoryNumber(line, there ? 1 : 0);
    for (WindowText which : {WindowText::ClassName, WindowText::Title})
        addHistoryField(line,
                        there ? readWindowText(window, which, kLongestWindowText).c_str() : L"");
    addHistoryField(line, process != 0 && processImagePath(process, path)
                              ? programFileName(path).c_str()
                              : L"");
}

} // namespace

void runCommandList(ListKind kind, HWND window, std::int32_t fired) {
    releaseStartLock(); // decided not to wait, or done waiting
    const CommandList& list = listOf(kind);
    std::wstring line; // the history's record, field by field
    wchar_t now[kHistoryTimeChars];
    addHistoryField(line, historyTime(now));
    addHistoryField(line, app.ruleFile.c_str());
    addHistoryField(line, app.settings.section.c_str());
    const wchar_t* const names[] = {L"exec", L"onunmatch", L"ontimeout"};
    const ListReason reasons[] = {ListReason::Held, ListReason::DidNotMatch, ListReason::TimedOut};
    addHistoryField(line, names[static_cast<int>(kind)]);
    addHistoryNumber(line, static_cast<std::uint32_t>(reasons[static_cast<int>(kind)]));
    describe(line, window ? window : findTargetWindow());
    addHistoryNumber(line, static_cast<std::uint32_t>(fired));
    addHistoryNumber(line, static_cast<std::uint32_t>(list.size()));
    setListWindow(window);
    if (kind == ListKind::Exec)
        Sleep(static_cast<DWORD>(app.rule.sleep));
    app.reporter.show(buildCommandListing(list), kBoxPlain);
    std::vector<Outcome> outcomes(
        list.size(), Outcome{EntryResult::NotStarted, ERROR_NOT_ENOUGH_MEMORY, nullptr});
    for (size_t i = 0; i < list.size(); ++i) {
        try {
            outcomes[i] = runEntry(list[i]);
        } catch (const std::bad_alloc&) {
            // A clipboard too large to substitute: the entry is skipped like a failed launch.
        }
    }
    setListWindow(nullptr);
    const DWORD start = GetTickCount();
    for (size_t i = 0; i < list.size(); ++i) {
        const DWORD spent = GetTickCount() - start;
        if (outcomes[i].asked)
            outcomes[i].result =
                closeOutcome(outcomes[i].asked, spent < kCloseGraceMs ? kCloseGraceMs - spent : 0);
        addHistoryField(line, list[i].c_str());
        addHistoryNumber(line, static_cast<std::uint32_t>(outcomes[i].result));
        addHistoryNumber(line, outcomes[i].number);
    }
    appendHistory(line);
}
