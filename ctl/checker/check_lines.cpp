#include "ctl/checker/check_lines.h"
#include "base/text_compare.h"
#include "ctl/checker/entry_warnings.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/section_names.h"
#include "ctl/reading/spelling.h"
#include "rules/number_text.h"
#include "rules/rule_keys.h"
#include <algorithm>

namespace {

std::vector<std::wstring> keyNames() {
    std::vector<std::wstring> names;
    for (const RuleKey& key : kRuleKeys)
        names.push_back(key.name);
    return names;
}

std::vector<std::wstring> wordsOf(const RuleKey& key) {
    std::vector<std::wstring> words;
    for (size_t i = 0; i < key.wordCount; ++i)
        words.push_back(key.words[i].word);
    return words;
}

// "current, change or both": the words in the order of their values, then
// the numbers a Number key takes.
std::wstring expectedValues(const RuleKey& key) {
    std::vector<const KeyWord*> words;
    for (size_t i = 0; i < key.wordCount; ++i)
        words.push_back(&key.words[i]);
    std::stable_sort(words.begin(), words.end(),
                     [](const KeyWord* a, const KeyWord* b) { return a->value < b->value; });
    std::wstring text;
    for (size_t i = 0; i < words.size(); ++i) {
        const bool last = i + 1 == words.size() && key.kind != KeyKind::Number;
        text += (i == 0 ? L"" : last ? L" or " : L", ") + std::wstring(words[i]->word);
    }
    if (key.kind != KeyKind::Number)
        return text;
    if (key.alsoAllowed != key.minimum)
        text += L", " + std::to_wstring(key.alsoAllowed);
    return text + (text.empty() ? L"" : L", or ") + L"a number of milliseconds, " +
           std::to_wstring(key.minimum) + L" or more";
}

void warn(std::vector<CheckFinding>& out, int line, FindingCode code, const std::wstring& message) {
    out.push_back({line, Severity::Warning, code, message, L""});
}

std::wstring unknownKeyMessage(const KeyValue& kv) {
    std::wstring message = L"unknown key " + quoted(kv.key);
    if (const RuleKey* meant = findRuleKey(trimRuleBlanks(kv.key)))
        return message + L": blanks around \"=\" belong to the key; write " + meant->name + L"=";
    const std::wstring near = likelyMeant(kv.key, keyNames());
    return near.empty() ? message : message + L"; did you mean " + near + L"?";
}

std::wstring invalidValueMessage(const KeyValue& kv) {
    const RuleKey& key = *findRuleKey(kv.key);
    std::wstring message = L"invalid value " + quoted(kv.value) + L" for " + key.name +
                           L": expected " + expectedValues(key);
    if (hasOuterBlanks(kv.value))
        return message + L" (blanks are not trimmed)";
    const std::wstring near = likelyMeant(kv.value, wordsOf(key));
    return near.empty() ? message : message + L"; did you mean " + near + L"?";
}

// "250ms" reads as 250 and says so; "30s" reads as 30 and does not.
void numberWarning(int number, const RuleKey& key, const std::wstring& value,
                   std::vector<CheckFinding>& out) {
    std::int32_t read;
    if (!readKeyValue(key, value, read) || equalsIgnoreCase(value, L"infinite"))
        return;
    std::wstring rest;
    if (trimmedIfShort(value, numberEnd(value, 0), 2, rest) &&
        (rest.empty() || equalsIgnoreCase(rest, L"ms")))
        return;
    warn(out, number, FindingCode::TextAfterNumber,
         std::wstring(key.name) + L"=" + visible(value) + L" is read as " + std::to_wstring(read) +
             L" ms; the text after the number is ignored");
}

// What a process= value cannot match: never (no program's file or path is
// so written), or perhaps not (a name a program's file can have, but seldom
// does). Each verdict was tried with a program of that name running.
struct ProcessProblem {
    bool never = false;
    std::wstring why; // empty: none
};

ProcessProblem processValueProblem(const std::wstring& value) {
    const std::wstring name = value.substr(value.find_last_of(L"\\/") + 1);
    const bool path = value.find(L'\\') != std::wstring::npos;
    const auto never = [](const std::wstring& why) { return ProcessProblem{true, why}; };
    const auto mayNot = [](const std::wstring& why) { return ProcessProblem{false, why}; };
    if (value.find(L'"') != std::wstring::npos)
        return never(L"holds quotes, which no file name has; write it without them");
    if (value.find(L'/') != std::wstring::npos)
        return never(L"holds /, which no file name has; a program's path has \\ between folders");
    bool control = false;
    for (wchar_t c : value)
        control = control || static_cast<unsigned>(c) < 0x20;
    if (control || name.find_first_of(L"<>|?*:") != std::wstring::npos)
        return never(L"holds a character no file name has (< > | ? * : or a control character "
                     L"such as a tab)");
    if (startsWithIgnoreCase(value, L"\\\\?\\") || startsWithIgnoreCase(value, L"\\\\.\\"))
        return never(L"begins with \\\\?\\ or \\\\.\\, and the system names a program's path "
                     L"without it (C:\\...)");
    const std::wstring folders = L"\\" + value + L"\\";
    if (path && (folders.find(L"\\..\\") != std::wstring::npos ||
                 folders.find(L"\\.\\") != std::wstring::npos))
        return never(L"holds a \".\" or \"..\" folder, which a program's whole path never does");
    const bool whole = (value.size() > 2 && value[1] == L':' && value[2] == L'\\') ||
                       startsWithIgnoreCase(value, L"\\\\");
    if (path && !whole)
        return never(L"is part of a path: with a backslash it is compared with the program's "
                     L"whole path (C:\\...); give the file name alone or the whole path");
    if (value.back() == L' ' || value.back() == L'.')
        return never(L"ends with a blank or a dot, which Windows takes off every file name");
    if (isRuleBlank(value.front()) || isRuleBlank(value.back()))
        return mayNot(L"has a blank at an end, which a program's file name seldom has; write "
                      L"the name as the file has it");
    if (value.find(L'%') != std::wstring::npos)
        return mayNot(L"holds %, and variables are not expanded here: it matches only a file "
                      L"whose name holds that %");
    if (name.find(L'.') == std::wstring::npos)
        return mayNot(L"has no extension, which a program's file seldom lacks, as in slack.exe");
    return ProcessProblem();
}

void valueWarnings(int number, const KeyValue& kv, bool refused, std::vector<CheckFinding>& out) {
    const RuleKey* key = findRuleKey(kv.key);
    if (!key)
        return;
    // A title's blanks are judged when the section's titlematch is known.
    if (key->field == RuleField::Class && hasOuterBlanks(kv.value))
        warn(out, number, FindingCode::ClassWithBlanks,
             L"class is " + quoted(kv.value) +
                 L" with its blanks; window classes must match exactly");
    if (key->field == RuleField::Process && kv.value.empty())
        warn(out, number, FindingCode::ProcessEmpty,
             L"process= is empty, so no program is compared: the line does nothing");
    if (key->field == RuleField::Process && !kv.value.empty()) {
        const ProcessProblem problem = processValueProblem(kv.value);
        if (!problem.why.empty())
            warn(out, number,
                 problem.never ? FindingCode::ProcessNeverMatches : FindingCode::ProcessMayNotMatch,
                 L"process=" + visible(kv.value) +
                     (problem.never ? L" never matches: it " : L" may not match: it ") +
                     problem.why);
    }
    if (key->kind == KeyKind::Number && !refused)
        numberWarning(number, *key, kv.value, out);
    if (key->kind == KeyKind::List)
        entryWarnings(number, kv.value, out);
}

} // namespace

std::wstring titleBlanksWarning(const std::wstring& title) {
    if (!hasOuterBlanks(title))
        return std::wstring();
    return L"title is " + quoted(title) + L" with its blanks; window titles must match exactly";
}

bool keyLineErrors(Rule& rule, const KeyValue& keyValue, std::vector<CheckFinding>& out) {
    std::vector<ReportedMessage> reported;
    rule.assignReporter(Reporter::collecting(&reported));
    // A list takes any entry, and the section's lists are not kept.
    const RuleKey* key = findRuleKey(keyValue.key);
    if (key && key->kind == KeyKind::List)
        applyRuleKey(rule, {keyValue.key, L"", keyValue.line});
    else
        applyRuleKey(rule, keyValue);
    bool refused = false;
    for (const ReportedMessage& finding : reported) {
        if (finding.id != MessageId::UnknownKey && finding.id != MessageId::BadValue)
            continue; // the final check belongs to the whole section
        refused = true;
        const bool unknown = finding.id == MessageId::UnknownKey;
        out.push_back({finding.line, Severity::Error,
                       unknown ? FindingCode::UnknownKey : FindingCode::BadValue,
                       unknown ? unknownKeyMessage(keyValue) : invalidValueMessage(keyValue),
                       asBoxShowsIt(finding.text)});
    }
    return refused;
}

void lineWarnings(int number, const std::wstring& text, LineKind kind, const KeyValue& keyValue,
                  const Rule* rule, bool refused, std::vector<CheckFinding>& out) {
    const bool inSection = rule != nullptr;
    const size_t first = text.find_first_not_of(kRuleBlanks);
    const wchar_t lead = first == std::wstring::npos ? L'\0' : text[first];
    const bool semicolon = lead == L';';
    switch (kind) {
    case LineKind::BlankOrComment:
    case LineKind::Header:
        return;
    case LineKind::Other:
        if (semicolon)
            warn(out, number, FindingCode::SemicolonComment,
                 L"\";\" starts no comment here; only a line beginning with \"#\" is a comment");
        else if (!inSection)
            return;
        else if (lead == L'=')
            warn(out, number, FindingCode::NoKey,
                 L"line begins with \"=\" (no key) and is ignored");
        else
            warn(out, number, FindingCode::NoEquals, L"line has no \"=\" and is ignored");
        return;
    case LineKind::KeyLine:
        break;
    }
    if (!inSection) {
        warn(out, number, FindingCode::KeyBeforeHeader,
             L"key line before the first section header is ignored");
        return;
    }
    if (semicolon)
        warn(out, number, FindingCode::SemicolonComment,
             L"\";\" starts no comment here; only a line beginning with \"#\" is a comment");
    valueWarnings(number, keyValue, refused, out);
}

bool looksLikeHeader(const std::wstring& text, std::wstring& name, std::wstring& why,
                     FindingCode& code) {
    const size_t first = text.find_first_not_of(kRuleBlanks);
    if (first == std::wstring::npos || text[first] != L'[')
        return false;
    const size_t kept = text.find_last_not_of(L'\r');
    const std::wstring withoutCr = kept == std::wstring::npos ? L"" : text.substr(0, kept + 1);
    if (withoutCr != text && isSectionHeader(withoutCr)) {
        name = withoutCr.substr(1, withoutCr.size() - 2);
        code = FindingCode::HeaderWithCr;
        why = L"ends in a stray carriage return (CR CR LF line ends?), so it is not a section "
              L"header";
        return true;
    }
    const std::wstring trimmed = trimRuleBlanks(withoutCr);
    if (isSectionHeader(trimmed)) {
        name = trimmed.substr(1, trimmed.size() - 2);
        code = FindingCode::HeaderWithBlanks;
        why = L"looks like a section header but has blanks around it, so it is not one";
        return true;
    }
    const size_t close = trimmed.find(L']');
    if (trimmed.empty() || trimmed[0] != L'[' || close == std::wstring::npos)
        return false;
    const std::wstring after = trimRuleBlanks(trimmed.substr(close + 1));
    if (after.empty() || (after[0] != L'#' && after[0] != L';'))
        return false;
    name = trimmed.substr(1, close - 1);
    code = FindingCode::CommentAfterHeader;
    why = L"a comment after a section header makes the line no header; put the comment on a "
          L"line of its own";
    return true;
}
