// Reading the history's records back (palimoorctl's): apart from the writing,
// which palimoor.exe carries without this.
#include "shell/history_record.h"
#include <cstdlib>
#include <initializer_list>

namespace {

bool unescaped(const std::wstring& text, std::wstring& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        const wchar_t c = text[i];
        if (c != L't' && c != L'n' && c != L'r' && c != L'\\')
            return false;
        out += c == L't' ? L'\t' : c == L'n' ? L'\n' : c == L'r' ? L'\r' : L'\\';
    }
    return true;
}

bool number(const std::wstring& text, std::uint32_t& value, std::uint32_t most) {
    if (text.empty() || text.size() > 10 ||
        text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return false;
    const unsigned long long read = std::wcstoull(text.c_str(), nullptr, 10);
    value = static_cast<std::uint32_t>(read);
    return read <= most;
}

} // namespace

std::wstring historyLine(const HistoryRecord& record) {
    std::wstring line = kHistoryMark;
    addHistoryNumber(line, record.lostBefore);
    for (const std::wstring* text : {&record.when, &record.ruleFile, &record.section, &record.list})
        addHistoryField(line, text->c_str());
    addHistoryNumber(line, static_cast<std::uint32_t>(record.why));
    addHistoryNumber(line, record.window ? 1 : 0);
    for (const std::wstring* text : {&record.className, &record.title, &record.program})
        addHistoryField(line, text->c_str());
    addHistoryNumber(line, record.fired);
    addHistoryNumber(line, static_cast<std::uint32_t>(record.entries.size()));
    for (const EntryOutcome& entry : record.entries) {
        addHistoryField(line, entry.entry.c_str());
        addHistoryNumber(line, static_cast<std::uint32_t>(entry.result));
        addHistoryNumber(line, entry.number);
    }
    return line + L"\r\n";
}

bool readHistoryLine(const std::wstring& line, HistoryRecord& record) {
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find(L'\t', start)) != std::wstring::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    std::uint32_t why = 0, window = 0, count = 0;
    if (fields.size() < 13 || fields[0] != kHistoryMark || !number(fields[12], count, 100000) ||
        fields.size() != 13 + 3 * static_cast<std::size_t>(count))
        return false;
    record = HistoryRecord();
    bool ok = number(fields[1], record.lostBefore, ~0u) && unescaped(fields[2], record.when) &&
              unescaped(fields[3], record.ruleFile) && unescaped(fields[4], record.section) &&
              unescaped(fields[5], record.list) && number(fields[6], why, 2) &&
              number(fields[7], window, 1) && unescaped(fields[8], record.className) &&
              unescaped(fields[9], record.title) && unescaped(fields[10], record.program) &&
              number(fields[11], record.fired, ~0u);
    record.why = static_cast<ListReason>(why);
    record.window = window != 0;
    for (std::uint32_t i = 0; ok && i < count; ++i) {
        EntryOutcome entry;
        std::uint32_t result = 0;
        ok = unescaped(fields[13 + 3 * i], entry.entry) && number(fields[14 + 3 * i], result, 5) &&
             number(fields[15 + 3 * i], entry.number, ~0u);
        entry.result = static_cast<EntryResult>(result);
        record.entries.push_back(entry);
    }
    return ok;
}
