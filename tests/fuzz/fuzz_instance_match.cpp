// Which waiting instances a closing invocation addresses, and the start lock's name.
#include "fuzz_input.h"
#include "shell/instance_match.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::wstring all = wideFrom(data, size);
    const size_t cut = all.find(L'\x1F');
    const std::wstring pattern = all.substr(0, cut);
    const std::wstring title = cut == std::wstring::npos ? L"" : all.substr(cut + 1);

    const std::wstring section = sectionOfTitle(title);
    if (title.size() >= 2)
        FUZZ_REQUIRE(title.compare(1, section.size(), section) == 0 &&
                     section.size() == title.size() - 2);
    else
        FUZZ_REQUIRE(section.empty());

    const bool prefix =
        section.size() >= pattern.size() && section.compare(0, pattern.size(), pattern) == 0;
    const bool postfix =
        section.size() >= pattern.size() &&
        section.compare(section.size() - pattern.size(), pattern.size(), pattern) == 0;
    FUZZ_REQUIRE(instanceMatches(ExecMode::CLOSEALL, pattern, section));
    FUZZ_REQUIRE(instanceMatches(ExecMode::CLOSEPREFIX, pattern, section) == prefix);
    FUZZ_REQUIRE(instanceMatches(ExecMode::CLOSEPOSTFIX, pattern, section) == postfix);
    FUZZ_REQUIRE(instanceMatches(ExecMode::CLOSEINFIX, pattern, section) ==
                 (section.find(pattern) != std::wstring::npos));
    FUZZ_REQUIRE(!instanceMatches(ExecMode::TOGGLE, pattern, section));
    if (prefix || postfix)
        FUZZ_REQUIRE(instanceMatches(ExecMode::CLOSEINFIX, pattern, section));

    const std::wstring name = startLockName(section);
    FUZZ_REQUIRE(name.size() < 260 && name.find(L'\\') == std::wstring::npos);
    FUZZ_REQUIRE(name == startLockName(section));
    return 0;
}
