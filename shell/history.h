// The history of the lists run (shell/history_record.h): one file for each
// user (in the user's local application data), in two files taken in turn,
// each at most half the bound (64 KB on the desktop, 16 KB on the handheld,
// where it lies beside the program). Written
// only when a list has run, and nothing here may stop or delay a list: a
// file that cannot be written (held by another program, on a full disk)
// loses its record, and the next record says how many were lost.
#pragma once
#include "shell/history_record.h"
#include <string>

constexpr unsigned long kHistoryHalfBytes =
#ifdef _WIN32_WCE
    8 * 1024;
#else
    32 * 1024;
#endif

// The file written now, or the one before it; empty where the user has no
// such folder.
std::wstring historyFile(bool older = false);
// The local time, as the record gives it, in `text`.
constexpr int kHistoryTimeChars = 32;
const wchar_t* historyTime(wchar_t (&text)[kHistoryTimeChars]);
// Appends a record: `fields` are all its fields after lostBefore, which is
// this instance's count of records lost.
void appendHistory(const std::wstring& fields);
