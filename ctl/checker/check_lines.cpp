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

// A process= value that no program's file or path can ever equal.
std::wstring processValueProblem(const std::wstring& value) {
    const std::wstring name = value.substr(value.find_last_of(L"\\/") + 1);
    const bool path = value.find(L'\\') != std::wstring::npos;
    if (hasOuterBlanks(value))
        return L"has blanks at an end, which no program's file name has";
    if (value.find(L'"') != std::wstring::npos)
        return L"holds quotes, which are compared as part of the name; write it without them";
    if (value.find(L'%') != std::wstring::npos)
        return L"holds %, and variables are not expanded here; write the path out";
    if (!path && value.find(L'/') != std::wstring::npos)
        return L"uses / where Windows paths use \\, so it is compared as a file name and never "
               L"matches";
    if (path && value.find(L"..") != std::wstring::npos)
        return L"holds \"..\", which a program's whole path never does";
    const bool whole = (value.size() > 2 && value[1] == L':' && value[2] == L'\\') ||
                       startsWithIgnoreCase(value, L"\\\\");
    if (path && !whole)
        return L"is part of a path: with a backslash it is compared with the program's whole "
               L"path (C:\\...); give the file name alone or the whole path";
    if (name.find(L'.') == std::wstring::npos)
        return L"has no extension; a program's file name has one, as in slack.exe";
    return std::wstring();
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
    if (key->field == RuleField::Process) {
        const std::wstring problem = processValueProblem(kv.value);
        if (!problem.empty())
            warn(out, number, FindingCode::ProcessNeverMatches,
                 L"process=" + visible(kv.value) + L" never matches: it " + problem);
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
