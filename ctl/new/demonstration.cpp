#include "ctl/new/demonstration.h"
#include "ctl/io/shown_text.h"
#include <algorithm>

namespace {

// At about the same moment: one action of the user, seen in one or two looks.
constexpr std::uint32_t kSameMomentMs = 800;
// A window that came and went within this is a tooltip, a menu, a splash:
// never the one the user acted on.
constexpr std::uint32_t kTransientMs = 1000;

// How surely a change is what the user did to a window, highest first.
int weight(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Appeared:
    case ChangeKind::Closed:
        return 6;
    case ChangeKind::Minimized:
    case ChangeKind::Restored:
        return 5;
    case ChangeKind::Shown:
    case ChangeKind::Hidden:
        return 4;
    case ChangeKind::CameToFront:
        return 3;
    case ChangeKind::WentBehind:
        return 2;
    case ChangeKind::Renamed:
        break;
    }
    return 0;
}

// Whether the window appeared and closed again within a moment.
bool transient(const std::vector<DesktopChange>& changes, std::uint64_t window) {
    std::uint32_t appeared = 0, closed = 0;
    bool both[2] = {false, false};
    for (const DesktopChange& change : changes) {
        if (change.window != window)
            continue;
        if (change.kind == ChangeKind::Appeared && !both[0])
            appeared = change.at, both[0] = true;
        if (change.kind == ChangeKind::Closed)
            closed = change.at, both[1] = true;
    }
    return both[0] && both[1] && closed - appeared < kTransientMs;
}

// The window of the last change, of those given.
Pick pickAmong(const std::vector<DesktopChange>& changes) {
    Pick pick;
    std::size_t last = changes.size();
    if (last == 0)
        return pick;
    // The changes of the last moment, and the weightiest of them.
    const std::uint32_t moment = changes[last - 1].at;
    int best = 0;
    for (std::size_t i = last; i > 0 && moment - changes[i - 1].at <= kSameMomentMs; --i)
        best = std::max(best, weight(changes[i - 1].kind));
    std::vector<std::size_t> tops, taskbarTops;
    for (std::size_t i = last; i > 0 && moment - changes[i - 1].at <= kSameMomentMs; --i) {
        const DesktopChange& change = changes[i - 1];
        if (weight(change.kind) != best)
            continue;
        bool known = false;
        for (std::size_t top : tops)
            known = known || changes[top - 1].window == change.window;
        if (known)
            continue;
        tops.push_back(i);
        if (change.look.taskbar)
            taskbarTops.push_back(i);
    }
    if (tops.size() == 1 || taskbarTops.size() == 1) {
        pick.found = true;
        pick.line = tops.size() == 1 ? tops[0] : taskbarTops[0];
        return pick;
    }
    pick.rivals = tops;
    return pick;
}

} // namespace

std::wstring secondsText(std::uint32_t ms) {
    return L"+" + std::to_wstring(ms / 1000) + L"." + std::to_wstring(ms % 1000 / 100) + L" s";
}

std::wstring timelineText(const std::vector<DesktopChange>& changes) {
    std::wstring out;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const DesktopChange& change = changes[i];
        std::wstring number = std::to_wstring(i + 1);
        std::wstring time = secondsText(change.at);
        std::wstring words = changeWords(change.kind);
        out += std::wstring(number.size() < 2 ? 2 - number.size() : 0, L' ') + number + L"  " +
               std::wstring(time.size() < 8 ? 8 - time.size() : 0, L' ') + time + L"  " + words +
               std::wstring(words.size() < 14 ? 14 - words.size() : 0, L' ') + L"  class " +
               quoted(change.look.className);
        if (change.kind == ChangeKind::Renamed)
            out += L"  title " + quoted(change.titleBefore) + L" -> " + quoted(change.look.title);
        else if (change.kind != ChangeKind::Closed)
            out += L"  title " + quoted(change.look.title);
        out += L"  " +
               (change.look.program.empty() ? std::wstring(L"program unreadable")
                                            : visible(change.look.program)) +
               L"\n";
    }
    return out;
}

void writeTimelineJson(JsonWriter& json, const std::vector<DesktopChange>& changes) {
    json.beginArray(true);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const DesktopChange& change = changes[i];
        json.beginObject().key(L"line").value(std::to_wstring(i + 1));
        json.key(L"ms").value(std::to_wstring(change.at));
        json.key(L"change").string(changeWords(change.kind));
        json.key(L"class").string(change.look.className).key(L"title").string(change.look.title);
        json.key(L"program")
            .value(change.look.program.empty() ? L"null" : jsonString(change.look.program));
        json.close();
    }
    json.close();
}

Pick pickWindow(const std::vector<DesktopChange>& changes, std::size_t chosen) {
    Pick pick;
    if (chosen > 0) {
        pick.found = chosen <= changes.size();
        pick.line = chosen;
        return pick;
    }
    // What counts: no new title alone, nothing of a window that came and went,
    // and a window the taskbar does not show (a tooltip, a menu) only when
    // nothing else changed.
    std::vector<DesktopChange> counted;
    std::vector<std::size_t> lines;
    for (bool toolsToo : {false, true}) {
        counted.clear();
        lines.clear();
        for (std::size_t i = 0; i < changes.size(); ++i) {
            const DesktopChange& change = changes[i];
            if (change.kind != ChangeKind::Renamed && (toolsToo || change.look.taskbar) &&
                !transient(changes, change.window)) {
                counted.push_back(change);
                lines.push_back(i + 1);
            }
        }
        if (!counted.empty())
            break;
    }
    Pick among = pickAmong(counted);
    // A window that appeared and then came to the front (perhaps more than
    // once, as other windows took the front for a moment) was opened: the
    // front came with it.
    if (among.found && counted[among.line - 1].kind == ChangeKind::CameToFront) {
        for (std::size_t i = among.line - 1; i > 0; --i) {
            const DesktopChange& earlier = counted[i - 1];
            if (earlier.window != counted[among.line - 1].window ||
                earlier.kind == ChangeKind::CameToFront || earlier.kind == ChangeKind::WentBehind)
                continue;
            if (earlier.kind == ChangeKind::Appeared)
                among.line = i;
            break;
        }
    }
    pick.found = among.found;
    pick.line = among.found ? lines[among.line - 1] : 0;
    for (std::size_t rival : among.rivals)
        pick.rivals.push_back(lines[rival - 1]);
    return pick;
}

std::wstring unpickedText(const Pick& pick, std::size_t chosen) {
    if (chosen > 0)
        return L"there is no line " + std::to_wstring(chosen);
    if (pick.rivals.empty())
        return L"nothing a rule waits for was shown, only new titles or windows that came and "
               L"went: open the program, bring it to the front, minimize it, or close it";
    std::vector<std::size_t> rivals = pick.rivals;
    std::sort(rivals.begin(), rivals.end());
    std::wstring lines;
    for (std::size_t rival : rivals)
        lines += (lines.empty() ? L"" : L", ") + std::to_wstring(rival);
    return L"several windows changed at once (lines " + lines +
           L"): show it again with --pick N, N the line of the window meant";
}
