// The command line: tokens, quotes, options and the section that takes the
// rest of the line.
#include "options/command_line.h"
#include "fuzz_input.h"
#include "tests/unit/fake_system.h"

namespace {
bool isSeparator(wchar_t c) {
    return c == L' ' || c == L'\t';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::wstring line = wideFrom(data, size);
    const std::vector<std::wstring> tokens = splitTokens(line, L" \t");
    // Tokens appear in the line in order, never empty, never starting with a
    // separator; without quotes they are exactly the runs between separators.
    size_t at = 0;
    for (const std::wstring& token : tokens) {
        FUZZ_REQUIRE(!token.empty() && !isSeparator(token[0]));
        const size_t found = line.find(token, at);
        FUZZ_REQUIRE(found != std::wstring::npos);
        at = found + token.size();
    }
    if (line.find(L'"') == std::wstring::npos) {
        std::vector<std::wstring> runs;
        std::wstring current;
        for (wchar_t c : line) {
            if (isSeparator(c)) {
                if (!current.empty())
                    runs.push_back(current);
                current.clear();
            } else {
                current += c;
            }
        }
        if (!current.empty())
            runs.push_back(current);
        FUZZ_REQUIRE(runs == tokens);
    }
    for (const std::wstring& token : tokens) {
        const std::wstring stripped = stripQuotes(token);
        FUZZ_REQUIRE(stripped.size() + 2 >= token.size() && stripped.size() <= token.size());
    }

    fakeSystem.reset();
    Settings settings;
    const bool accepted = parseOptions(settings, L"Palimoor", L"\\Windows\\palimoor.exe", line);
    const size_t sectionAt = line.find(L"-section=");
    FUZZ_REQUIRE(settings.section ==
                 (sectionAt == std::wstring::npos ? L"" : line.substr(sectionAt + 9)));
    if (accepted)
        FUZZ_REQUIRE(settings.windowTitle == L"[" + settings.section + L"]");
    else
        FUZZ_REQUIRE(fakeSystem.boxes.size() == 1 &&
                     fakeSystem.boxes[0].text.compare(0, 9, L" パラメータ不正\n") == 0);
    return 0;
}
