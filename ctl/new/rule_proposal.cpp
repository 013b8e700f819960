#include "ctl/new/rule_proposal.h"
#include "base/text_compare.h"
#include "ctl/io/shown_text.h"
#include "rules/rule.h"
#include "rules/window_classes.h"
#include "watch/window_match.h"

namespace {

// A part of a title shorter than this says too little to tell a window.
constexpr std::size_t kShortestPart = 3;

bool sameClass(const std::wstring& a, const std::wstring& b) {
    return equalsIgnoreCase(a, b); // as FindWindowW compares them
}

// The part of a title that a rule can compare: no invisible character in it
// (it is cut off at the first one, from the side the comparison keeps), and
// no blank or separator at its ends.
std::wstring visiblePart(std::wstring part, bool keepEnd) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (!isInvisible(static_cast<std::uint32_t>(part[i])))
            continue;
        part = keepEnd ? part.substr(i + 1) : part.substr(0, i);
        i = keepEnd ? static_cast<std::size_t>(-1) : part.size();
    }
    const wchar_t* const edges = L" \t\u3000-|\u2014\u2013";
    const std::size_t first = part.find_first_not_of(edges);
    if (first == std::wstring::npos)
        return std::wstring();
    return part.substr(first, part.find_last_not_of(edges) - first + 1);
}

struct TitlePart {
    TitleMatch mode;
    std::wstring text;
    std::wstring why;
};

// What stays of the title: the part that stayed the same while it changed,
// or the program's part after a document's name, or the whole title.
TitlePart stableTitle(const std::vector<std::wstring>& titles) {
    const std::wstring& title = titles.back();
    bool changed = false;
    for (const std::wstring& other : titles)
        changed = changed || other != title;
    if (changed) {
        std::size_t prefix = title.size(), suffix = title.size();
        for (const std::wstring& other : titles) {
            std::size_t p = 0, s = 0;
            while (p < prefix && p < other.size() && other[p] == title[p])
                ++p;
            while (s < suffix && s < other.size() &&
                   other[other.size() - 1 - s] == title[title.size() - 1 - s])
                ++s;
            prefix = p;
            suffix = s;
        }
        const std::wstring end = visiblePart(title.substr(title.size() - suffix), true);
        const std::wstring start = visiblePart(title.substr(0, prefix), false);
        if (end.size() >= kShortestPart && end.size() >= start.size())
            return {TitleMatch::end, end, L"its end stayed the same while the title changed"};
        if (start.size() >= kShortestPart)
            return {TitleMatch::start, start, L"its start stayed the same while the title changed"};
    }
    for (const wchar_t* separator : {L" - ", L" \u2014 ", L" | "}) {
        const std::size_t at = title.rfind(separator);
        if (at == std::wstring::npos)
            continue;
        const std::wstring end = visiblePart(title.substr(at), true);
        if (end.size() >= kShortestPart)
            return {TitleMatch::end, end,
                    L"what comes before the last separator is a document's name"};
    }
    bool invisible = false;
    for (wchar_t c : title)
        invisible = invisible || isInvisible(static_cast<std::uint32_t>(c));
    if (!invisible)
        return {TitleMatch::exact, title, L"the whole title"};
    // The longest visible run, compared as a part: the invisible characters
    // would have to be written exactly otherwise.
    std::wstring best, run;
    for (wchar_t c : title + L'\x01') {
        if (isInvisible(static_cast<std::uint32_t>(c))) {
            run = visiblePart(run, false);
            best = run.size() > best.size() ? run : best;
            run.clear();
        } else {
            run += c;
        }
    }
    return {TitleMatch::contains, best, L"the title holds invisible characters"};
}

const wchar_t* triggerFor(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Appeared:
    case ChangeKind::Shown:
        return L"running";
    case ChangeKind::CameToFront:
    case ChangeKind::Restored:
        return L"active";
    case ChangeKind::WentBehind:
    case ChangeKind::Minimized:
        return L"inactive";
    case ChangeKind::Closed:
    case ChangeKind::Hidden:
    case ChangeKind::Renamed:
        break;
    }
    return L"closed";
}

} // namespace

RuleProposal proposeRule(const std::vector<DesktopChange>& changes, const DesktopChange& picked,
                         const std::map<std::uint64_t, WindowLook>& seen,
                         const std::wstring& trigger, const std::wstring& check) {
    RuleProposal proposal;
    const WindowLook& target = picked.look;
    proposal.shown = quoted(target.title.empty() ? target.className : target.title) + L" " +
                     changeWords(picked.kind);
    std::vector<WindowLook> others; // the windows the rule must not take for it
    for (const auto& window : seen) {
        if (window.first != picked.window)
            others.push_back(window.second);
    }
    const std::wstring& cls = target.className;
    const bool perRun = hasPerRunPart(cls);
    const bool shared = isSharedWindowClass(cls);
    std::size_t sameClassSeen = 0;
    for (const WindowLook& other : others)
        sameClassSeen += sameClass(other.className, cls) ? 1 : 0;
    auto& keys = proposal.keys;
    if (!cls.empty() && !perRun && !shared && sameClassSeen == 0) {
        keys.push_back(
            {L"the class is this program's own: no other window seen has it", L"class", cls});
    } else {
        const std::wstring why =
            perRun   ? L"its class " + quoted(cls) + L" carries a part made anew for each run"
            : shared ? L"its class " + quoted(cls) + L" is shared by many programs"
                     : L"its class " + quoted(cls) + L" has " + std::to_wstring(sameClassSeen) +
                           L" other window(s) seen";
        bool classAdded = false;
        if (!target.program.empty()) {
            keys.push_back(
                {why + L"; the program that owns it tells it", L"process", target.program});
            // The class narrows the program's windows when some have another.
            bool otherClasses = false;
            for (const WindowLook& other : others)
                otherClasses = otherClasses || (equalsIgnoreCase(other.program, target.program) &&
                                                !sameClass(other.className, cls));
            if (!perRun && !cls.empty() && (otherClasses || !target.taskbar)) {
                keys.push_back({L"the program has windows of other classes too", L"class", cls});
                classAdded = true;
            }
        }
        // Windows the keys so far do not tell from the target.
        std::size_t alike = 0;
        for (const WindowLook& other : others) {
            const bool sameProgram =
                target.program.empty() || equalsIgnoreCase(other.program, target.program);
            const bool classOk = !classAdded || sameClass(other.className, cls);
            const bool mainOnly = !classAdded && !target.program.empty();
            alike += sameProgram && classOk && (!mainOnly || other.taskbar) ? 1 : 0;
        }
        if (alike > 0 || target.program.empty()) {
            std::vector<std::wstring> titles;
            for (const DesktopChange& change : changes) {
                if (change.window != picked.window)
                    continue;
                if (change.kind == ChangeKind::Renamed)
                    titles.push_back(change.titleBefore);
                titles.push_back(change.look.title);
            }
            titles.push_back(target.title);
            const TitlePart part = stableTitle(titles);
            // Letter case is compared as written here, a little stricter than
            // the system compares it: a count for the comment, not a verdict.
            std::size_t matching = 0;
            for (const WindowLook& other : others)
                matching += titleMatches(part.mode, other.title, part.text) ? 1 : 0;
            keys.push_back({(target.program.empty() ? std::wstring(L"its program cannot be read")
                                                    : std::wstring(L"class and program do not "
                                                                   L"tell it from other windows")) +
                                L"; by the title: " + part.why +
                                (matching > 0 ? L" (" + std::to_wstring(matching) +
                                                    L" other window(s) seen match it too)"
                                              : L""),
                            L"title", part.text});
            if (part.mode != TitleMatch::exact) {
                const wchar_t* const modes[] = {L"exact", L"start", L"contains", L"end"};
                keys.push_back({L"the title is compared by its " +
                                    std::wstring(part.mode == TitleMatch::contains
                                                     ? L"part"
                                                     : modes[static_cast<int>(part.mode)]),
                                L"titlematch", modes[static_cast<int>(part.mode)]});
            }
        }
    }
    keys.push_back({trigger.empty()
                        ? L"what was shown: the window " + std::wstring(changeWords(picked.kind))
                        : std::wstring(L"given with --trigger"),
                    L"trigger", trigger.empty() ? triggerFor(picked.kind) : trigger});
    keys.push_back({check.empty() ? L"a change was shown, so the rule waits for one"
                                  : std::wstring(L"given with --check"),
                    L"check", check.empty() ? L"change" : check});
    return proposal;
}

std::wstring sectionText(const std::wstring& section, const RuleProposal& proposal,
                         const std::wstring& exec) {
    std::wstring text = L"[" + section +
                        L"]\n# Learned by palimoorctl new from one demonstration: " +
                        proposal.shown + L".\n";
    for (const ProposedKey& key : proposal.keys)
        text += L"# " + key.key + L": " + key.why + L"\n" + key.key + L"=" + key.value + L"\n";
    if (exec.empty())
        return text + L"# exec: what to start then, such as C:\\Windows\\notepad.exe; write it "
                      L"after the = and take the # away\n#exec=\n";
    return text + L"exec=" + exec + L"\n";
}

void writeProposalJson(JsonWriter& json, const RuleProposal& proposal) {
    json.beginObject(true).key(L"shown").string(proposal.shown).key(L"keys").beginArray(true);
    for (const ProposedKey& key : proposal.keys)
        json.beginObject()
            .key(L"key")
            .string(key.key)
            .key(L"value")
            .string(key.value)
            .key(L"why")
            .string(key.why)
            .close();
    json.close().close();
}
