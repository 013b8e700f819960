#include "ctl/new/rule_forms.h"
#include "ctl/io/shown_text.h"
#include "rules/window_classes.h"
#include <cwchar>

namespace {

// A part of a title shorter than this says too little to tell a window.
constexpr std::size_t kShortestPart = 3;
const wchar_t* const kSeparators[] = {L" - ", L" \u2014 ", L" | "};

bool hasInvisible(const std::wstring& text) {
    for (wchar_t c : text) {
        if (isInvisible(static_cast<std::uint32_t>(c)))
            return true;
    }
    return false;
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
    const wchar_t* mode; // titlematch, or nullptr for the whole title
    std::wstring text;
    std::wstring why;
};

void addPart(std::vector<TitlePart>& parts, const wchar_t* mode, const std::wstring& text,
             const std::wstring& why) {
    if (text.size() < kShortestPart)
        return;
    for (const TitlePart& part : parts) {
        if (part.text == text && part.mode == mode)
            return;
    }
    parts.push_back({mode, text, why});
}

// The parts of the title worth trying, most stable first.
std::vector<TitlePart> titleParts(const std::vector<std::wstring>& titles) {
    std::vector<TitlePart> parts;
    const std::wstring& title = titles.back();
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
    if (prefix < title.size()) { // it changed while it was shown
        addPart(parts, L"end", visiblePart(title.substr(title.size() - suffix), true),
                L"its end stayed the same while the title changed");
        addPart(parts, L"start", visiblePart(title.substr(0, prefix), false),
                L"its start stayed the same while the title changed");
    }
    std::vector<std::wstring> pieces; // the title cut at its separators
    for (std::size_t at = 0; at <= title.size();) {
        std::size_t next = std::wstring::npos, length = 0;
        for (const wchar_t* separator : kSeparators) {
            const std::size_t found = title.find(separator, at);
            if (found < next)
                next = found, length = std::wcslen(separator);
        }
        pieces.push_back(title.substr(at, next == std::wstring::npos ? next : next - at));
        at = next == std::wstring::npos ? title.size() + 1 : next + length;
    }
    if (pieces.size() > 1)
        addPart(parts, L"end", visiblePart(pieces.back(), true),
                L"what comes before the last separator is a document's name");
    if (!hasInvisible(title) && visiblePart(title, false) == title)
        addPart(parts, nullptr, title, L"the whole title");
    if (pieces.size() > 1)
        addPart(parts, L"start", visiblePart(pieces.front(), false),
                L"its first part differs from the other windows'");
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i)
        addPart(parts, L"contains", visiblePart(pieces[i], false),
                L"a part of it differs from the other windows'");
    std::wstring run; // the longest visible run, where invisible characters cut it
    for (wchar_t c : title + L'\x01') {
        if (!isInvisible(static_cast<std::uint32_t>(c))) {
            run += c;
            continue;
        }
        addPart(parts, L"contains", visiblePart(run, false),
                L"the title holds invisible characters, never compared");
        run.clear();
    }
    return parts;
}

std::wstring formName(const std::vector<ProposedKey>& keys) {
    std::wstring name;
    for (const ProposedKey& key : keys)
        name += (name.empty() ? L"" : L" ") + key.key + L"=" + visible(key.value);
    return name;
}

} // namespace

bool classOfItsOwn(const std::wstring& className) {
    return !className.empty() && !isSharedWindowClass(className) && !hasPerRunPart(className);
}

std::wstring classUnfit(const std::wstring& className) {
    if (className.empty())
        return L"it has no class name";
    if (hasPerRunPart(className))
        return L"its class " + quoted(className) + L" carries a part made anew for each run";
    return L"its class " + quoted(className) + L" is shared by many programs";
}

RuleForm classForm(const WindowLook& target) {
    RuleForm form;
    form.keys.push_back({L"the class is this program's own: the rule finds this window and no "
                         L"other, before and after",
                         L"class", target.className});
    form.name = formName(form.keys);
    return form;
}

std::vector<RuleForm> ruleForms(const WindowLook& target, const std::vector<std::wstring>& titles,
                                const std::wstring& classProblem) {
    std::vector<RuleForm> forms;
    const bool program = !target.program.empty();
    const bool classBeside = !target.className.empty() && !hasPerRunPart(target.className);
    const ProposedKey byProgram{classProblem + L"; the program that owns it tells it", L"process",
                                target.program};
    const ProposedKey classTells{L"among the program's windows, its class tells it", L"class",
                                 target.className};
    if (program)
        forms.push_back({{byProgram}, L""});
    if (program && classBeside)
        forms.push_back({{byProgram, classTells}, L""});
    // The narrowest of those, for the title to go beside.
    std::vector<ProposedKey> base;
    if (program)
        base.push_back({L"the program that owns it", L"process", target.program});
    if (classBeside)
        base.push_back({program ? L"among the program's windows, its class" : classProblem,
                        L"class", target.className});
    const std::wstring why = program ? L"class and program do not tell it from other windows"
                                     : L"its program cannot be read";
    for (const TitlePart& part : titleParts(titles)) {
        RuleForm form{base, L""};
        form.keys.push_back({why + L"; by the title: " + part.why, L"title", part.text});
        if (part.mode)
            form.keys.push_back({std::wstring(L"the title is compared by its ") +
                                     (std::wstring(part.mode) == L"contains" ? L"part" : part.mode),
                                 L"titlematch", part.mode});
        forms.push_back(form);
    }
    for (RuleForm& form : forms)
        form.name = formName(form.keys);
    return forms;
}
