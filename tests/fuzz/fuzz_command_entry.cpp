// A command-list entry: the sync prefix, clipboard substitution with any
// clipboard text (never rescanned), the pause and the built-in words.
#include "base/text_compare.h"
#include "fuzz_input.h"
#include "watch/command_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::wstring all = wideFrom(data, size);
    const size_t cut = all.find(L'\x1F');
    const std::wstring entry = all.substr(0, cut);
    const std::wstring clipboard = cut == std::wstring::npos ? L"" : all.substr(cut + 1);

    const SyncSplit split = splitSyncPrefix(entry);
    if (split.sync)
        FUZZ_REQUIRE(entry.size() == split.text.size() + 5 &&
                     entry.compare(5, std::wstring::npos, split.text) == 0 &&
                     equalsIgnoreCase(entry.substr(0, 5), L"sync "));
    else
        FUZZ_REQUIRE(split.text == entry);

    const std::wstring token = L"%%CLIPBOARD%%";
    size_t tokens = 0;
    for (size_t at = 0; (at = split.text.find(token, at)) != std::wstring::npos; at += token.size())
        ++tokens;
    const std::wstring expanded = expandClipboardToken(split.text, clipboard);
    FUZZ_REQUIRE(expanded.size() ==
                 split.text.size() + tokens * clipboard.size() - tokens * token.size());
    if (tokens == 0)
        FUZZ_REQUIRE(expanded == split.text);
    // Rescanning would have replaced the tokens inside the clipboard too.
    if (tokens == 1) {
        const size_t at = split.text.find(token);
        FUZZ_REQUIRE(expanded ==
                     split.text.substr(0, at) + clipboard + split.text.substr(at + token.size()));
    }

    std::int32_t ms = -1;
    const Builtin builtin = classifyCommand(expanded, ms);
    if (builtin == Builtin::Sleep)
        FUZZ_REQUIRE(ms >= 0 && startsWithIgnoreCase(expanded, L"sleep "));
    if (builtin == Builtin::Nothing)
        FUZZ_REQUIRE(equalsIgnoreCase(expanded, L"nothing"));
    std::int32_t again = -1;
    FUZZ_REQUIRE(parseSleepCommand(expanded, again) == (builtin == Builtin::Sleep) ||
                 builtin != Builtin::External);
    buildCommandListing({entry, clipboard});
    return 0;
}
