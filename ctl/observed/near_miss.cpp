#include "ctl/observed/near_miss.h"
#include "base/case_fold.h"
#include "base/settings.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/spelling.h"
#include <algorithm>

namespace {

std::wstring folded(std::wstring text) {
    foldCase(text);
    return text;
}

// A recorded window, as the judging steps read a live one.
struct RecordedWindow {
    const WindowLook& look;
    std::wstring className() const { return folded(look.className); }
    std::wstring title() const { return folded(look.title); }
    bool program(std::wstring& path) const {
        path = folded(look.program);
        return !look.program.empty();
    }
    bool visible() const { return look.visible; }
    bool taskbarShows() const { return look.visible && look.taskbar; }
};

// A slip: a letter or two, fewer in a short word.
std::size_t slipLimit(const std::wstring& wanted) {
    return wanted.size() <= 4 ? 1 : wanted.size() <= 12 ? 2 : 3;
}

std::wstring lettersDiffer(std::size_t count) {
    const wchar_t* const words[] = {L"", L"one letter differs", L"two letters differ",
                                    L"three letters differ"};
    return count < 4 ? words[count] : std::to_wstring(count) + L" letters differ";
}

struct Judged {
    std::vector<std::wstring> misses;
    std::size_t distance = 0;
    bool nearby = true;
};

// A text the rule compares, against the window's: near when a slip away,
// or when one holds the other (note.exe for notepad.exe).
void compareText(Judged& judged, const wchar_t* what, const std::wstring& wanted,
                 const std::wstring& actual, const std::wstring& fix) {
    const std::wstring a = folded(wanted), b = folded(actual);
    if (a == b)
        return;
    const std::size_t limit = slipLimit(a);
    const std::size_t distance = editDistance(a, b, limit);
    const std::wstring& shorter = a.size() < b.size() ? a : b;
    const std::wstring& longer = a.size() < b.size() ? b : a;
    const std::wstring stem = shorter.substr(0, shorter.rfind(L'.'));
    const bool holds = stem.size() >= 3 && longer.find(stem) != std::wstring::npos;
    judged.nearby = judged.nearby && (distance <= limit || holds);
    judged.distance += distance;
    judged.misses.push_back(
        std::wstring(what) + L" " + quoted(actual) + L", not " + quoted(wanted) + L": " +
        (distance <= limit ? lettersDiffer(distance) : std::wstring(L"one holds the other")) +
        L" (" + fix + L")");
}

// The title: compared whole where a part of it is what the rule has, or
// another part than the rule's titlematch says.
void compareTitle(Judged& judged, const Rule& rule, const std::wstring& title) {
    const std::wstring wanted = folded(rule.title), actual = folded(title);
    if (titleMatches(rule.titlematch, actual, wanted))
        return;
    const wchar_t* const modes[] = {L"exact", L"start", L"contains", L"end"};
    const wchar_t* const says[] = {L"is", L"begins with", L"contains", L"ends with"};
    for (int mode : {1, 3, 2}) {
        if (!titleMatches(static_cast<TitleMatch>(mode), actual, wanted))
            continue;
        judged.misses.push_back(L"title " + quoted(title) + L" " + says[mode] + L" " +
                                quoted(rule.title) + L": " +
                                (rule.titlematch == TitleMatch::exact ? L"add" : L"write") +
                                L" titlematch=" + modes[mode]);
        judged.distance += 1;
        return;
    }
    compareText(judged, L"title", rule.title, title, L"title=" + visible(title));
}

Judged judge(const Rule& rule, const WindowQuery& query, const WindowLook& look) {
    Judged judged;
    if (!rule.class_.empty())
        compareText(judged, L"class", rule.class_, look.className,
                    L"class=" + visible(look.className));
    else if (folded(look.className) == query.foldedOwnClass)
        judged.nearby = false; // a waiting Palimoor's is never any other rule's
    if (!rule.process.empty()) {
        if (look.program.empty())
            judged.misses.push_back(L"its program cannot be read now"), judged.distance += 1;
        else if (folded(programFileName(rule.process)) == folded(look.program) &&
                 rule.process.find(L'\\') != std::wstring::npos)
            judged.misses.push_back(L"program " + visible(look.program) +
                                    L", perhaps at another path than the rule's whole path"),
                judged.distance += 1;
        else
            compareText(judged, L"program", programFileName(rule.process), look.program,
                        L"process=" + visible(look.program));
    }
    if (query.visibleOnly && !look.visible) {
        judged.misses.push_back(L"hidden: " +
                                std::wstring(query.mainWindow ? L"a process= rule alone"
                                                              : L"a title compared in part") +
                                L" counts only visible windows");
        judged.distance += 1;
    } else if (query.mainWindow && !look.taskbar) {
        judged.misses.push_back(L"not on the taskbar: a process= rule alone watches the "
                                L"program's main window (add class=" +
                                visible(look.className) + L" beside it)");
        judged.distance += 1;
    }
    if (!rule.title.empty())
        compareTitle(judged, rule, look.title);
    judged.nearby = judged.nearby && !judged.misses.empty();
    return judged;
}

} // namespace

WindowQuery queryOf(const Rule& rule) {
    return prepareWindowQuery(rule, kProgramName, foldCase);
}

bool windowFits(const WindowQuery& query, const WindowLook& look) {
    RecordedWindow window{look};
    if (!query.byEnumeration)
        return systemFinds(query, window);
    return lastingFit(query, window) == Verdict::Yes && passingFit(query, window);
}

std::vector<NearMiss> nearMisses(const Rule& rule, const DesktopLook& desktop, std::size_t most) {
    const WindowQuery query = queryOf(rule);
    std::vector<std::pair<std::size_t, NearMiss>> nearby;
    for (const auto& window : desktop.windows) {
        if (windowFits(query, window.second))
            return {};
        const Judged judged = judge(rule, query, window.second);
        if (judged.nearby)
            nearby.push_back({judged.misses.size() * 100 + judged.distance,
                              NearMiss{window.second, judged.misses}});
    }
    std::stable_sort(nearby.begin(), nearby.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<NearMiss> nearest;
    for (std::size_t i = 0; i < nearby.size() && i < most; ++i)
        nearest.push_back(nearby[i].second);
    return nearest;
}

std::wstring nearMissText(const NearMiss& miss) {
    std::wstring text = L"class " + quoted(miss.look.className) + L"  title " +
                        quoted(miss.look.title) + L"  " +
                        (miss.look.program.empty() ? std::wstring(L"program unreadable")
                                                   : visible(miss.look.program)) +
                        L": ";
    for (std::size_t i = 0; i < miss.misses.size(); ++i)
        text += (i ? L"; " : L"") + miss.misses[i];
    return text;
}

std::wstring nearMissLines(const std::vector<NearMiss>& misses, const std::wstring& indent) {
    std::wstring text;
    for (const NearMiss& miss : misses)
        text += indent + nearMissText(miss) + L"\n";
    return text;
}
