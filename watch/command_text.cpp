#include "watch/command_text.h"
#include "base/text_compare.h"
#include "rules/number_text.h"

namespace {
const std::wstring kSyncPrefix = L"sync ";
const std::wstring kClipboardToken = L"%%CLIPBOARD%%";
const std::wstring kSleepPrefix = L"sleep ";
} // namespace

SyncSplit splitSyncPrefix(const std::wstring& entry) {
    if (startsWithIgnoreCase(entry, kSyncPrefix))
        return {true, entry.substr(kSyncPrefix.size())};
    return {false, entry};
}

bool holdsClipboardToken(const std::wstring& text) {
    return text.find(kClipboardToken) != std::wstring::npos;
}

std::wstring expandClipboardToken(const std::wstring& text, const std::wstring& clipboard) {
    std::wstring result;
    size_t from = 0;
    for (size_t at; (at = text.find(kClipboardToken, from)) != std::wstring::npos;) {
        result.append(text, from, at - from);
        result.append(clipboard);
        from = at + kClipboardToken.size();
    }
    result.append(text, from, std::wstring::npos);
    return result;
}

bool parseSleepCommand(const std::wstring& text, std::int32_t& milliseconds) {
    if (!startsWithIgnoreCase(text, kSleepPrefix))
        return false;
    std::int32_t number;
    if (!readLeadingClampedInt32(text, kSleepPrefix.size(), number))
        return false;
    milliseconds = number < 0 ? 0 : number;
    return true;
}

Builtin classifyCommand(const std::wstring& text, std::int32_t& sleepMilliseconds) {
    if (equalsIgnoreCase(text, L"nothing"))
        return Builtin::Nothing;
    if (equalsIgnoreCase(text, L"activate") || equalsIgnoreCase(text, L"active"))
        return Builtin::Activate;
    if (equalsIgnoreCase(text, L"inactivate") || equalsIgnoreCase(text, L"inactive"))
        return Builtin::Inactivate;
    if (equalsIgnoreCase(text, L"close"))
        return Builtin::Close;
    if (parseSleepCommand(text, sleepMilliseconds))
        return Builtin::Sleep;
    return Builtin::External;
}

std::wstring buildCommandListing(const CommandList& list) {
    std::wstring listing = L"実行コマンド:";
    for (const std::wstring& entry : list)
        listing += L"\n" + entry;
    return listing;
}
