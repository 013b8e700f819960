#include "ctl/checker/entry_warnings.h"
#include "base/text_compare.h"
#include "ctl/io/shown_text.h"
#include "rules/ini_reader.h"
#include "watch/command_text.h"

namespace {

void warn(std::vector<CheckFinding>& out, int line, FindingCode code, const std::wstring& message) {
    out.push_back({line, Severity::Warning, code, message, L""});
}

bool namesAProgram(const std::wstring& text, size_t end) {
    for (const wchar_t* suffix : {L".exe", L".com", L".bat", L".cmd"}) {
        if (end > 4 && equalsIgnoreCase(text.substr(end - 4, 4), suffix))
            return true;
    }
    return false;
}

// A program's name followed by a blank and more, without "|": the shell is
// asked for one file named with the blank, which does not exist. Each run of
// blanks is looked at once, at its start.
void parametersWithoutBar(int number, const std::wstring& text, std::vector<CheckFinding>& out) {
    for (size_t blank = text.find(L' '); blank != std::wstring::npos;) {
        const size_t rest = text.find_first_not_of(L' ', blank);
        if (rest == std::wstring::npos)
            return;
        if (namesAProgram(text, blank)) {
            warn(out, number, FindingCode::ParametersWithoutBar,
                 quoted(text) + L" is started as one file name, blanks and all; to pass " +
                     quoted(text.substr(rest)) + L" as parameters, write " +
                     visible(text.substr(0, blank) + L"|" + text.substr(rest)));
            return;
        }
        blank = text.find(L' ', rest);
    }
}

// Where `token` stands in `text` in another letter case than its own; npos
// when nowhere.
size_t otherCaseAt(const std::wstring& text, const std::wstring& token) {
    for (size_t at = text.find(L'%'); at != std::wstring::npos; at = text.find(L'%', at + 1)) {
        if (text.compare(at, token.size(), token) == 0)
            continue;
        size_t i = 0;
        while (i < token.size() && at + i < text.size() &&
               foldAscii(text[at + i]) == foldAscii(token[i]))
            ++i;
        if (i == token.size())
            return at;
    }
    return std::wstring::npos;
}

} // namespace

void entryWarnings(int number, const std::wstring& entry, std::vector<CheckFinding>& out) {
    // The prefix is asked of the program's own reader on the entry's first
    // characters: an entry can be megabytes long, and is copied only with it.
    const SyncSplit split = splitSyncPrefix(entry.substr(0, 5));
    const std::wstring synced = split.sync ? entry.substr(5) : std::wstring();
    const std::wstring& text = split.sync ? synced : entry;
    std::int32_t ms = 0;
    const Builtin builtin = classifyCommand(text, ms);
    const bool badSync = startsWithIgnoreCase(entry, L"sync") && entry.size() > 4 &&
                         ((isRuleBlank(entry[4]) && entry[4] != L' ') ||
                          (split.sync && !text.empty() && (text[0] == L' ' || text[0] == L'\t')));
    if (badSync)
        warn(out, number, FindingCode::SyncBlank,
             L"\"sync\" must be followed by exactly one blank; this entry is " +
                 std::wstring(split.sync ? L"started with its extra blanks"
                                         : L"started as a program"));
    if (isLaterBuiltin(builtin))
        out.push_back({number, Severity::Note, FindingCode::WasAProgram,
                       quoted(text) + L" is a built-in that acts on the rule's window; before "
                                      L"the built-in existed, this entry started a program "
                                      L"of that name",
                       L""});
    std::wstring trimmed;
    if (builtin == Builtin::External && trimmedIfShort(text, 0, 64, trimmed)) {
        const Builtin meant = classifyCommand(trimmed, ms);
        if (meant != Builtin::External && !badSync)
            warn(out, number, FindingCode::BuiltinWithBlanks,
                 quoted(text) + L" is started as a program, not the built-in " + visible(trimmed) +
                     L": remove the blanks");
    }
    if (builtin == Builtin::External) {
        if (startsWithIgnoreCase(text, kSleepPrefix) || equalsIgnoreCase(text, L"sleep"))
            warn(out, number, FindingCode::SleepWithoutNumber,
                 quoted(text) + L" has no number after \"sleep \", so it is started as a program");
        else if (startsWithIgnoreCase(text, L"sleep") && text.size() > 5 && isRuleBlank(text[5]) &&
                 text[5] != L' ')
            warn(out, number, FindingCode::SleepBlank,
                 L"\"sleep\" must be followed by one plain blank, not " +
                     std::wstring(text[5] == L'\t' ? L"a tab" : L"an ideographic space") +
                     L"; this entry is started as a program");
        else if (text.find(L'|') == std::wstring::npos && !endsWith(text, L".lnk"))
            parametersWithoutBar(number, text, out);
    }
    const std::wstring token = kClipboardToken;
    const size_t other = otherCaseAt(text, token);
    if (other != std::wstring::npos)
        warn(out, number, FindingCode::ClipboardCase,
             quoted(text.substr(other, token.size())) +
                 L" is not replaced by the clipboard; write " + token + L" in capitals");
    if (builtin == Builtin::External && text.find(L'|') == std::wstring::npos && text.size() >= 4) {
        const std::wstring suffix = text.substr(text.size() - 4);
        if (equalsIgnoreCase(suffix, L".lnk") && suffix != L".lnk")
            warn(out, number, FindingCode::ShortcutCase,
                 quoted(suffix) + L" is not read as a shortcut: only \".lnk\" in lower case is");
    }
}
