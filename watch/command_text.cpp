#include "watch/command_text.h"
#include "base/text_compare.h"
#include "rules/number_text.h"

const Keyword<Builtin> kBuiltinWords[11] = {
    {L"nothing", Builtin::Nothing},     {L"activate", Builtin::Activate},
    {L"active", Builtin::Activate},     {L"inactivate", Builtin::Inactivate},
    {L"inactive", Builtin::Inactivate}, {L"close", Builtin::Close},
    {L"topmost", Builtin::Topmost},     {L"notopmost", Builtin::NotTopmost},
    {L"minimize", Builtin::Minimize},   {L"maximize", Builtin::Maximize},
    {L"restore", Builtin::Restore},
};

bool isLaterBuiltin(Builtin builtin) {
    return builtin >= Builtin::Topmost && builtin <= Builtin::Restore;
}

namespace {
const std::wstring kSync = kSyncPrefix;
const std::wstring kToken = kClipboardToken;
const std::wstring kSleep = kSleepPrefix;
} // namespace

SyncSplit splitSyncPrefix(const std::wstring& entry) {
    if (startsWithIgnoreCase(entry, kSync))
        return {true, entry.substr(kSync.size())};
    return {false, entry};
}

bool holdsClipboardToken(const std::wstring& text) {
    return text.find(kToken) != std::wstring::npos;
}

std::wstring expandClipboardToken(const std::wstring& text, const std::wstring& clipboard) {
    std::wstring result;
    size_t from = 0;
    for (size_t at; (at = text.find(kToken, from)) != std::wstring::npos;) {
        result.append(text, from, at - from);
        result.append(clipboard);
        from = at + kToken.size();
    }
    result.append(text, from, std::wstring::npos);
    return result;
}

bool parseSleepCommand(const std::wstring& text, std::int32_t& milliseconds) {
    if (!startsWithIgnoreCase(text, kSleep))
        return false;
    std::int32_t number;
    if (!readLeadingClampedInt32(text, kSleep.size(), number))
        return false;
    milliseconds = number < 0 ? 0 : number;
    return true;
}

Builtin classifyCommand(const std::wstring& text, std::int32_t& sleepMilliseconds) {
    Builtin builtin = Builtin::External;
    if (lookupKeyword(text, kBuiltinWords, builtin))
        return builtin;
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
