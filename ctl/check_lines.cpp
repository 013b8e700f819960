#include "ctl/check_lines.h"
#include "base/text_compare.h"
#include "ctl/spelling.h"
#include "ctl/text_out.h"
#include "rules/number_text.h"
#include "rules/rule_keys.h"
#include "watch/command_text.h"
#include "watch/launch_text.h"

namespace {

const std::vector<std::wstring> kKeyNames = {L"class",     L"title",  L"check",   L"trigger",
                                             L"sleep",     L"exec",   L"timeout", L"ontimeout",
                                             L"onunmatch", L"polling"};

bool isNumberKey(const std::wstring& name) {
    return name == L"sleep" || name == L"timeout" || name == L"polling";
}

template <typename T, size_t N> std::vector<std::wstring> wordsOf(const Keyword<T> (&table)[N]) {
    std::vector<std::wstring> words;
    for (const Keyword<T>& entry : table)
        words.push_back(entry.word);
    return words;
}

// The keywords a value of the key may be, for suggestions; none for numbers.
std::vector<std::wstring> keywordsOf(const std::wstring& name) {
    if (name == L"check")
        return wordsOf(kCheckModes);
    if (name == L"trigger")
        return wordsOf(kTriggers);
    if (name == L"timeout")
        return {L"infinite"};
    return {};
}

std::wstring expectedValues(const std::wstring& name) {
    if (name == L"check")
        return L"current, change or both";
    if (name == L"trigger")
        return L"closed, running, active, inactive, not_closed, not_running, not_active or "
               L"not_inactive";
    if (name == L"sleep")
        return L"a number of milliseconds, 0 or more";
    if (name == L"timeout")
        return L"infinite, -1, or a number of milliseconds, 1 or more";
    return L"a number of milliseconds, 1 or more";
}

bool hasOuterBlanks(const std::wstring& text) {
    return !text.empty() && trimBlanks(text) != text;
}

bool startsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

void warn(std::vector<CheckFinding>& out, int line, const std::wstring& message) {
    out.push_back({line, Severity::Warning, message, L""});
}

std::wstring unknownKeyMessage(const KeyValue& kv) {
    std::wstring message = L"unknown key " + quoted(kv.key);
    const std::wstring meant = knownKey(trimBlanks(kv.key));
    if (!meant.empty())
        return message + L": blanks around \"=\" belong to the key; write " + meant + L"=";
    const std::wstring near = likelyMeant(kv.key, kKeyNames);
    return near.empty() ? message : message + L"; did you mean " + near + L"?";
}

std::wstring invalidValueMessage(const KeyValue& kv) {
    const std::wstring name = knownKey(kv.key);
    std::wstring message = L"invalid value " + quoted(kv.value) + L" for " + name + L": expected " +
                           expectedValues(name);
    if (hasOuterBlanks(kv.value))
        return message + L" (blanks are not trimmed)";
    const std::wstring near = likelyMeant(kv.value, keywordsOf(name));
    return near.empty() ? message : message + L"; did you mean " + near + L"?";
}

// "250ms" reads as 250 and says so; "30s" reads as 30 and does not.
void numberWarning(int number, const std::wstring& name, const std::wstring& value,
                   std::vector<CheckFinding>& out) {
    std::int32_t read;
    if (equalsIgnoreCase(value, L"infinite") || !readLeadingInt32(value, 0, read))
        return;
    size_t end = value.find_first_not_of(L" \t\u3000");
    if (end < value.size() && (value[end] == L'+' || value[end] == L'-'))
        ++end;
    end = value.find_first_not_of(L"0123456789", end);
    const std::wstring rest = end == std::wstring::npos ? L"" : trimBlanks(value.substr(end));
    if (!rest.empty() && !equalsIgnoreCase(rest, L"ms"))
        warn(out, number,
             name + L"=" + visible(value) + L" is read as " + std::to_wstring(read) +
                 L" ms; the text after the number is ignored");
}

// A program's name followed by a blank and more, without "|": the shell is
// asked for one file named with the blank, which does not exist.
void parametersWithoutBar(int number, const std::wstring& text, std::vector<CheckFinding>& out) {
    for (size_t blank = text.find(L' '); blank != std::wstring::npos;
         blank = text.find(L' ', blank + 1)) {
        const std::wstring program = text.substr(0, blank);
        bool executable = false;
        for (const wchar_t* suffix : {L".exe", L".com", L".bat", L".cmd"})
            executable =
                executable || (program.size() > 4 &&
                               equalsIgnoreCase(program.substr(program.size() - 4), suffix));
        const size_t rest = text.find_first_not_of(L' ', blank);
        if (!executable || rest == std::wstring::npos)
            continue;
        warn(out, number,
             quoted(text) + L" is started as one file name, blanks and all; to pass " +
                 quoted(text.substr(rest)) + L" as parameters, write " +
                 visible(program + L"|" + text.substr(rest)));
        return;
    }
}

void entryWarnings(int number, const std::wstring& entry, std::vector<CheckFinding>& out) {
    const SyncSplit split = splitSyncPrefix(entry);
    const std::wstring& text = split.text;
    std::int32_t ms = 0;
    const Builtin builtin = classifyCommand(text, ms);
    const bool badSync = startsWithIgnoreCase(entry, L"sync") && entry.size() > 4 &&
                         (entry[4] == L'\t' || entry[4] == 0x3000 ||
                          (split.sync && !text.empty() && (text[0] == L' ' || text[0] == L'\t')));
    if (badSync)
        warn(out, number,
             L"\"sync\" must be followed by exactly one blank; this entry is " +
                 std::wstring(split.sync ? L"started with its extra blanks"
                                         : L"started as a program"));
    if (builtin == Builtin::External) {
        const Builtin meant = classifyCommand(trimBlanks(text), ms);
        if (meant != Builtin::External && !badSync)
            warn(out, number,
                 quoted(text) + L" is started as a program, not the built-in " +
                     visible(trimBlanks(text)) + L": remove the blanks");
        if (startsWithIgnoreCase(text, L"sleep ") || equalsIgnoreCase(text, L"sleep"))
            warn(out, number,
                 quoted(text) + L" has no number after \"sleep \", so it is started as a program");
        else if (startsWithIgnoreCase(text, L"sleep") && text.size() > 5 &&
                 (text[5] == L'\t' || text[5] == 0x3000))
            warn(out, number,
                 L"\"sleep\" must be followed by one plain blank, not " +
                     std::wstring(text[5] == L'\t' ? L"a tab" : L"an ideographic space") +
                     L"; this entry is started as a program");
        else if (text.find(L'|') == std::wstring::npos && !endsWith(text, L".lnk"))
            parametersWithoutBar(number, text, out);
    }
    const std::wstring token = L"%%CLIPBOARD%%";
    for (size_t at = 0; at + token.size() <= text.size(); ++at) {
        const std::wstring here = text.substr(at, token.size());
        if (equalsIgnoreCase(here, token) && here != token) {
            warn(out, number,
                 quoted(here) + L" is not replaced by the clipboard; write " + token +
                     L" in capitals");
            break;
        }
    }
    if (builtin == Builtin::External && text.find(L'|') == std::wstring::npos && text.size() >= 4) {
        const std::wstring suffix = text.substr(text.size() - 4);
        if (equalsIgnoreCase(suffix, L".lnk") && suffix != L".lnk")
            warn(out, number,
                 quoted(suffix) + L" is not read as a shortcut: only \".lnk\" in lower case is");
    }
}

void valueWarnings(int number, const KeyValue& kv, bool refused, std::vector<CheckFinding>& out) {
    const std::wstring name = knownKey(kv.key);
    if ((name == L"class" || name == L"title") && hasOuterBlanks(kv.value))
        warn(out, number,
             name + L" is " + quoted(kv.value) + L" with its blanks; window " + name +
                 (name == L"class" ? L"es" : L"s") + L" must match exactly");
    if (isNumberKey(name) && !refused)
        numberWarning(number, name, kv.value, out);
    if (isListKey(name))
        entryWarnings(number, kv.value, out);
}

} // namespace

std::wstring knownKey(const std::wstring& key) {
    for (const std::wstring& name : kKeyNames) {
        if (equalsIgnoreCase(key, name))
            return name;
    }
    return std::wstring();
}

bool isListKey(const std::wstring& name) {
    return name == L"exec" || name == L"ontimeout" || name == L"onunmatch";
}

std::wstring asBoxShowsIt(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}

bool keyLineErrors(Rule& rule, const KeyValue& keyValue, std::vector<CheckFinding>& out) {
    std::vector<Finding> reported;
    rule.assignReporter(Reporter::collecting(&reported));
    applyRuleKeys(rule, {keyValue});
    bool refused = false;
    for (const Finding& finding : reported) {
        if (finding.line == 0) // the final check, which belongs to the whole section
            continue;
        refused = true;
        out.push_back({finding.line, Severity::Error,
                       startsWith(finding.text, L"キー名称不正") ? unknownKeyMessage(keyValue)
                                                                 : invalidValueMessage(keyValue),
                       asBoxShowsIt(finding.text)});
    }
    return refused;
}

void lineWarnings(int number, const std::wstring& text, LineKind kind, const KeyValue& keyValue,
                  bool inSection, bool refused, std::vector<CheckFinding>& out) {
    const std::wstring trimmed = trimBlanks(text);
    const bool semicolon = !trimmed.empty() && trimmed[0] == L';';
    switch (kind) {
    case LineKind::BlankOrComment:
    case LineKind::Header:
        return;
    case LineKind::Other:
        if (semicolon)
            warn(out, number,
                 L"\";\" starts no comment here; only a line beginning with \"#\" is a comment");
        else if (!inSection)
            return;
        else if (!trimmed.empty() && trimmed[0] == L'=')
            warn(out, number, L"line begins with \"=\" (no key) and is ignored");
        else
            warn(out, number, L"line has no \"=\" and is ignored");
        return;
    case LineKind::KeyLine:
        break;
    }
    if (!inSection) {
        warn(out, number, L"key line before the first section header is ignored");
        return;
    }
    if (semicolon)
        warn(out, number,
             L"\";\" starts no comment here; only a line beginning with \"#\" is a comment");
    valueWarnings(number, keyValue, refused, out);
}

bool looksLikeHeader(const std::wstring& text, std::wstring& name, std::wstring& why) {
    const size_t kept = text.find_last_not_of(L'\r');
    const std::wstring withoutCr = kept == std::wstring::npos ? L"" : text.substr(0, kept + 1);
    if (withoutCr != text && isSectionHeader(withoutCr)) {
        name = withoutCr.substr(1, withoutCr.size() - 2);
        why = L"ends in a stray carriage return (CR CR LF line ends?), so it is not a section "
              L"header";
        return true;
    }
    const std::wstring trimmed = trimBlanks(withoutCr);
    if (isSectionHeader(trimmed)) {
        name = trimmed.substr(1, trimmed.size() - 2);
        why = L"looks like a section header but has blanks around it, so it is not one";
        return true;
    }
    const size_t close = trimmed.find(L']');
    if (trimmed.empty() || trimmed[0] != L'[' || close == std::wstring::npos)
        return false;
    const std::wstring after = trimBlanks(trimmed.substr(close + 1));
    if (after.empty() || (after[0] != L'#' && after[0] != L';'))
        return false;
    name = trimmed.substr(1, close - 1);
    why = L"a comment after a section header makes the line no header; put the comment on a "
          L"line of its own";
    return true;
}
