// What each list run leaves in the history: when, which rule, which window,
// which list and why, and what became of each entry. One record is one line
// of the history file, which is UTF-16 with a byte-order mark (the program's
// own strings, written as they are); a line that is not a whole record (a
// file cut short or damaged) is skipped by the reader.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class EntryResult : std::uint32_t {
    Nothing,    // "nothing", or a pause
    Done,       // a built-in did what it was asked
    Gone,       // a built-in found no window to act on
    Refused,    // the window did not do it (a close it ignored)
    Started,    // a program: `number` is its process id (0: none of its own)
    NotStarted, // a program: `number` is the Windows error
};

struct EntryOutcome {
    std::wstring entry; // as written in the rule
    EntryResult result = EntryResult::Nothing;
    std::uint32_t number = 0;
};

enum class ListReason : std::uint32_t { Held, TimedOut, DidNotMatch };

struct HistoryRecord {
    std::wstring when;            // local time, "2026-12-10 18:40:12"
    std::uint32_t lostBefore = 0; // records that could not be written just before this one
    std::wstring ruleFile, section;
    std::wstring list; // exec, ontimeout, onunmatch
    ListReason why = ListReason::Held;
    bool window = false; // a window was the rule's when the list ran
    std::wstring className, title, program;
    std::uint32_t fired = 0; // a repeating rule: how many times exec has run, this one included
    std::vector<EntryOutcome> entries;
};

// The mark that begins each record's line: the form it is written in.
constexpr const wchar_t* kHistoryMark = L"P1";
// A record's line is built field by field, in the order of HistoryRecord's
// members (lostBefore first, then when, ruleFile, ..., the number of
// entries, then each entry's text, result and number), each field after a
// tab; palimoor.exe writes them as the list runs and holds no record whole.
void addHistoryField(std::wstring& line, const wchar_t* text); // up to its NUL
void addHistoryNumber(std::wstring& line, std::uint32_t number);
// The record's whole line, ending in CR LF (palimoorctl and the tests).
std::wstring historyLine(const HistoryRecord& record);
// A line as the file's reader gives it, without its line end.
bool readHistoryLine(const std::wstring& line, HistoryRecord& record);
