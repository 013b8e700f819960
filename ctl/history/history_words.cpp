#include "ctl/history/history_words.h"
#include "ctl/io/shown_text.h"

namespace {

struct NamedError {
    std::uint32_t code;
    const wchar_t* words;
};

// What a shell launch commonly fails with; the rest by number.
constexpr NamedError kLaunchErrors[] = {
    {2, L"not found"},
    {3, L"its folder not found"},
    {5, L"access denied"},
    {740, L"needs elevation"},
    {1155, L"no program is set to open it"},
    {1223, L"cancelled"},
    {4551, L"blocked by policy"},
};

const wchar_t* const kReasonWords[] = {L"the condition held", L"the wait timed out",
                                       L"it did not match"};
const wchar_t* const kReasonJson[] = {L"held", L"timed_out", L"did_not_match"};
const wchar_t* const kResultJson[] = {L"nothing", L"done",    L"gone",
                                      L"refused", L"started", L"not_started"};

std::wstring resultWords(const EntryOutcome& entry) {
    switch (entry.result) {
    case EntryResult::Nothing:
        return L"nothing to do";
    case EntryResult::Done:
        return L"done";
    case EntryResult::Gone:
        return L"not done: the window was gone";
    case EntryResult::Refused:
        return L"refused by the window";
    case EntryResult::Started:
        return entry.number == 0 ? std::wstring(L"started (no process of its own)")
                                 : L"started, process " + std::to_wstring(entry.number);
    case EntryResult::NotStarted:
        break;
    }
    return L"not started: " + launchErrorWords(entry.number);
}

std::wstring windowWords(const HistoryRecord& record) {
    if (!record.window)
        return L"no window";
    return quoted(record.title) + L" (class " + quoted(record.className) +
           (record.program.empty() ? L")" : L", " + visible(record.program) + L")");
}

} // namespace

void readHistoryLines(const std::vector<std::wstring>& lines, std::vector<HistoryRecord>& records,
                      int& unreadable) {
    for (const std::wstring& line : lines) {
        if (line.empty())
            continue;
        HistoryRecord record;
        if (readHistoryLine(line, record))
            records.push_back(std::move(record));
        else
            ++unreadable;
    }
}

std::wstring launchErrorWords(std::uint32_t error) {
    for (const NamedError& known : kLaunchErrors) {
        if (known.code == error)
            return std::wstring(known.words) + L" (error " + std::to_wstring(error) + L")";
    }
    return L"Windows error " + std::to_wstring(error);
}

std::wstring historyText(const HistoryRecord& record) {
    std::wstring out;
    if (record.lostBefore > 0)
        out += L"(" + std::to_wstring(record.lostBefore) +
               (record.lostBefore == 1 ? L" record" : L" records") +
               L" before this one could not be written: the history file was locked, damaged "
               L"or on a full disk)\n";
    out += record.when + L"  [" + visible(record.section) + L"]  " + visible(record.ruleFile) +
           L"\n  " + visible(record.list) + L", as " + kReasonWords[static_cast<int>(record.why)] +
           (record.fired > 0 ? L" (fired " + std::to_wstring(record.fired) +
                                   (record.fired == 1 ? L" time)" : L" times)")
                             : L"") +
           L", on " + windowWords(record) + L"\n";
    if (record.entries.empty())
        out += L"    no entries\n";
    for (const EntryOutcome& entry : record.entries)
        out += L"    " + quoted(entry.entry) + L": " + resultWords(entry) + L"\n";
    return out;
}

void writeHistoryJson(JsonWriter& json, const HistoryRecord& record) {
    json.beginObject(true).key(L"time").string(record.when);
    json.key(L"lost_before").value(std::to_wstring(record.lostBefore));
    json.key(L"rule_file").string(record.ruleFile).key(L"section").string(record.section);
    json.key(L"list").string(record.list);
    json.key(L"why").string(kReasonJson[static_cast<int>(record.why)]);
    json.key(L"fired").value(std::to_wstring(record.fired));
    json.key(L"window");
    if (!record.window) {
        json.value(L"null");
    } else {
        json.beginObject()
            .key(L"class")
            .string(record.className)
            .key(L"title")
            .string(record.title);
        json.key(L"program").string(record.program).close();
    }
    json.key(L"entries").beginArray(true);
    for (const EntryOutcome& entry : record.entries) {
        json.beginObject().key(L"entry").string(entry.entry);
        json.key(L"result").string(kResultJson[static_cast<int>(entry.result)]);
        if (entry.result == EntryResult::Started)
            json.key(L"process_id").value(std::to_wstring(entry.number));
        if (entry.result == EntryResult::NotStarted)
            json.key(L"error")
                .value(std::to_wstring(entry.number))
                .key(L"error_words")
                .string(launchErrorWords(entry.number));
        json.close();
    }
    json.close().close();
}
