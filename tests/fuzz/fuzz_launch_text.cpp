// An external command split into file and parameters, and shortcut texts.
#include "base/text_compare.h"
#include "fuzz_input.h"
#include "base/shortcut_text.h"
#include "watch/launch_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::wstring text = wideFrom(data, size);

    const LaunchParts parts = splitCommandText(text);
    if (text.find(L'|') != std::wstring::npos) {
        FUZZ_REQUIRE(parts.file + L"|" + parts.parameters == text && !parts.shortcut);
        FUZZ_REQUIRE(parts.file.find(L'|') == std::wstring::npos);
    } else {
        FUZZ_REQUIRE(parts.file == text && parts.parameters.empty());
        FUZZ_REQUIRE(parts.shortcut == endsWith(text, L".lnk"));
    }

    const LaunchParts target = splitShortcutTarget(text);
    FUZZ_REQUIRE(!target.shortcut);
    if (text.empty() || text[0] != L'"')
        FUZZ_REQUIRE(target.file == text && target.parameters.empty());
    else
        FUZZ_REQUIRE(text.compare(1, target.file.size(), target.file) == 0 &&
                     (target.parameters.empty() || endsWith(text, target.parameters)));

    const std::wstring trimmed = trimTrailingLineBreaks(text);
    FUZZ_REQUIRE(text.compare(0, trimmed.size(), trimmed) == 0);
    FUZZ_REQUIRE(text.find_first_not_of(L"\r\n", trimmed.size()) == std::wstring::npos);

    std::wstring shortcut;
    if (parseCeShortcutText(text, shortcut)) {
        const size_t hash = text.find(L'#');
        FUZZ_REQUIRE(hash > 0 && text.compare(hash + 1, shortcut.size(), shortcut) == 0);
        FUZZ_REQUIRE(shortcut.find_first_of(L"\r\n") == std::wstring::npos);
    }
    return 0;
}
