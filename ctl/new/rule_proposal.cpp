#include "ctl/new/rule_proposal.h"
#include "ctl/io/shown_text.h"
#include "rules/rule_keys.h"

namespace {

// How early the front may be seen to leave a window that is being minimized.
constexpr std::uint32_t kFrontLeftFirstMs = 500;

const wchar_t* triggerFor(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Appeared:
    case ChangeKind::Shown:
    case ChangeKind::Renamed: // the window with its new title appeared
        return L"running";
    case ChangeKind::CameToFront:
    case ChangeKind::Restored:
        return L"active";
    case ChangeKind::WentBehind:
    case ChangeKind::Minimized:
        return L"inactive";
    case ChangeKind::Closed:
    case ChangeKind::Hidden:
        break;
    }
    return L"closed";
}

// The keys read as palimoor.exe reads them.
Rule ruleOf(const std::vector<ProposedKey>& keys) {
    std::vector<KeyValue> lines;
    for (const ProposedKey& key : keys)
        lines.push_back({key.key, key.value});
    Rule rule;
    applyRuleKeys(rule, lines);
    return rule;
}

// How to put the desktop back as it was before it was shown, so that the
// rule, started then, waits for it.
std::wstring tryFirstText(const DesktopChange& picked, bool given) {
    const std::wstring name =
        quoted(picked.look.title.empty() ? picked.look.className : picked.look.title);
    if (given)
        return L"Put the desktop back as it was before you showed it, then start:";
    switch (picked.kind) {
    case ChangeKind::Appeared:
        return L"Close " + name + L" first, then start:";
    case ChangeKind::Shown:
        return L"Hide " + name + L" again first, then start:";
    case ChangeKind::Renamed:
        return L"Let the window take its old title " + quoted(picked.titleBefore) +
               L" again first, then start:";
    case ChangeKind::Closed:
    case ChangeKind::Hidden:
        return L"Open " + name + L" again, then start:";
    case ChangeKind::CameToFront:
        return L"Leave " + name + L" open behind this window, then start:";
    case ChangeKind::Restored:
        return L"Minimize " + name + L" again first, then start:";
    case ChangeKind::WentBehind:
    case ChangeKind::Minimized:
        break;
    }
    return L"Bring " + name + L" to the front and start it from there (a shortcut key does):";
}

} // namespace

Demonstration demonstrationOf(const DesktopChanges& desktop, const DesktopChange& picked) {
    // A window opened was made a moment before it showed: before it, the
    // desktop did not have it at all.
    std::uint32_t before = picked.kind == ChangeKind::Appeared && picked.sinceLook > 0
                               ? picked.sinceLook - 1
                               : picked.lookNumber - 1;
    // The front leaving the window a moment before it was minimized, hidden
    // or closed was what that did, seen a look early.
    const std::vector<DesktopChange>& changes = desktop.changes();
    for (std::size_t i = changes.size(); i > 0; --i) {
        const DesktopChange& change = changes[i - 1];
        if (change.lookNumber > before || &change == &picked)
            continue;
        const bool frontLeft =
            (change.kind == ChangeKind::WentBehind && change.window == picked.window) ||
            (change.kind == ChangeKind::CameToFront &&
             desktop.desktopAfter(change.lookNumber - 1).front == picked.window);
        if (!frontLeft || picked.at - change.at > kFrontLeftFirstMs || picked.window == 0)
            break;
        before = change.lookNumber - 1;
    }
    return {picked.window, desktop.desktopAfter(before), desktop.desktopAfter(picked.lookNumber),
            desktop.latest()};
}

RuleProposal proposeRule(const std::vector<DesktopChange>& changes, const DesktopChange& picked,
                         const Demonstration& demonstration, const std::wstring& trigger,
                         const std::wstring& check) {
    RuleProposal proposal;
    const auto now = demonstration.shown.windows.find(picked.window);
    const WindowLook& target = now != demonstration.shown.windows.end() ? now->second : picked.look;
    proposal.shown = quoted(target.title.empty() ? target.className : target.title) + L" " +
                     changeWords(picked.kind);
    proposal.tryFirst = tryFirstText(picked, !trigger.empty() || !check.empty());
    std::vector<std::wstring> titles;
    for (const DesktopChange& change : changes) {
        if (change.window == picked.window && change.kind == ChangeKind::Renamed &&
            change.at <= picked.at)
            titles.push_back(change.titleBefore);
    }
    titles.push_back(target.title);
    const std::vector<ProposedKey> state = {
        {trigger.empty() ? L"what was shown: the window " + std::wstring(changeWords(picked.kind))
                         : std::wstring(L"given with --trigger"),
         L"trigger", trigger.empty() ? triggerFor(picked.kind) : trigger},
        {check.empty() ? L"a change was shown, so the rule waits for one"
                       : std::wstring(L"given with --check"),
         L"check", check.empty() ? L"change" : check}};
    // Each way of naming it, tried in turn; the first that does what was shown.
    const auto tryForm = [&](const RuleForm& form) {
        std::vector<ProposedKey> keys = form.keys;
        keys.insert(keys.end(), state.begin(), state.end());
        const std::wstring problem = replayProblem(ruleOf(keys), demonstration);
        if (problem.empty()) {
            proposal.found = true;
            proposal.keys = keys;
        } else {
            proposal.tried.push_back(form.name + L": " + problem);
        }
        return problem;
    };
    std::wstring classProblem = classUnfit(target.className);
    if (classOfItsOwn(target.className)) {
        const std::wstring problem = tryForm(classForm(target));
        if (problem.empty())
            return proposal;
        classProblem =
            L"the class " + quoted(target.className) + L" alone would not do: " + problem;
    }
    for (const RuleForm& form : ruleForms(target, titles, classProblem)) {
        if (tryForm(form).empty())
            return proposal;
    }
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

std::wstring refusalText(const RuleProposal& proposal) {
    std::wstring text = L"no rule tells the window " + proposal.shown +
                        L" apart, so nothing is written; each way of naming it, replayed on "
                        L"the desktop recorded:\n";
    for (const std::wstring& tried : proposal.tried)
        text += L"  " + tried + L"\n";
    if (proposal.tried.empty())
        text += L"  none: it has no class, title or readable program to name it by\n";
    return text;
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
    json.close().key(L"tried").beginArray(true);
    for (const std::wstring& tried : proposal.tried)
        json.string(tried);
    json.close().close();
}
