// ctl/history/: what each rule did, read back from the history palimoor.exe
// appends (shell/history_record.h); it uses ctl/io/, no other room.
//
// The records in words and as JSON, and the file's lines read into records.
#pragma once
#include "ctl/io/json_writer.h"
#include "shell/history_record.h"
#include <string>
#include <vector>

// The records of a file's lines, oldest first; `unreadable` counts the
// lines that are no whole record (a file cut short or damaged).
void readHistoryLines(const std::vector<std::wstring>& lines, std::vector<HistoryRecord>& records,
                      int& unreadable);
// A Windows error as a launch meets it: "not found (error 2)".
std::wstring launchErrorWords(std::uint32_t error);
// One record: its time, rule and window, then each entry and what became of it.
std::wstring historyText(const HistoryRecord& record);
void writeHistoryJson(JsonWriter& json, const HistoryRecord& record);
