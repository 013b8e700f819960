// Reading one command-list entry: prefix, clipboard token, built-in words.
#pragma once
#include "base/text_compare.h"
#include "rules/rule.h"
#include <cstdint>
#include <string>

struct SyncSplit {
    bool sync;
    std::wstring text;
};

enum class Builtin {
    Nothing,
    Activate,
    Inactivate,
    Close,
    Topmost,
    NotTopmost,
    Minimize,
    Maximize,
    Restore,
    Sleep,
    External
};

// The words of an entry, stated once for the runner, check and explain: the
// prefix and the pause compared without regard to case, the token exactly,
// and the built-ins (the whole entry, letter case ignored) in the order
// they are compared.
constexpr const wchar_t* kSyncPrefix = L"sync ";
constexpr const wchar_t* kClipboardToken = L"%%CLIPBOARD%%";
constexpr const wchar_t* kSleepPrefix = L"sleep ";
extern const Keyword<Builtin> kBuiltinWords[11];
// The built-ins that came later: an entry that is exactly one of them used to
// start a program of that name.
bool isLaterBuiltin(Builtin builtin);

SyncSplit splitSyncPrefix(const std::wstring& entry);
// Whether the entry holds "%%CLIPBOARD%%": only then is the clipboard read.
bool holdsClipboardToken(const std::wstring& text);
// Replaces every token of the entry itself; clipboard text is never rescanned.
std::wstring expandClipboardToken(const std::wstring& text, const std::wstring& clipboard);
// "sleep " and a number; a negative number pauses 0 ms, one beyond the
// 32-bit range 2147483647 ms.
bool parseSleepCommand(const std::wstring& text, std::int32_t& milliseconds);
Builtin classifyCommand(const std::wstring& text, std::int32_t& sleepMilliseconds);
// "実行コマンド:" and each entry as written, one per line.
std::wstring buildCommandListing(const CommandList& list);
