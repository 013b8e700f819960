// Any bytes, with and without marks and of odd lengths, become lines: the
// mark never reaches the first line, nothing else is trimmed, and how the
// file arrives in chunks changes nothing.
#include "base/utf8_text.h"
#include "fuzz_input.h"
#include "tests/unit/fake_system.h"
#include "rules/text_file.h"
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const size_t chunk = 1 + data[0] % 17;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::wstring> lines = decodeTextLines(bytes);
    for (const std::wstring& line : lines)
        FUZZ_REQUIRE(line.find(L'\n') == std::wstring::npos);

    fakeSystem.reset();
    fakeSystem.files[L"f"] = bytes;
    fakeSystem.chunkSize = chunk;
    std::vector<std::wstring> streamed;
    FUZZ_REQUIRE(readTextLines(L"f", streamed));
    FUZZ_REQUIRE(streamed == lines);

    // A UTF-8 mark: exactly the lenient decoding of what follows it, split at
    // line feeds, with only the CR of each CR LF taken off.
    const std::string marked = "\xEF\xBB\xBF" + bytes;
    const std::vector<std::wstring> markedLines = decodeTextLines(marked);
    std::wstring expected = decodeUtf8(bytes.data(), bytes.size());
    std::wstring joined;
    for (size_t i = 0; i < markedLines.size(); ++i) {
        joined += markedLines[i];
        if (i + 1 < markedLines.size() || (!expected.empty() && expected.back() == L'\n'))
            joined += L'\n';
    }
    std::wstring withoutPairs;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (!(expected[i] == L'\r' && i + 1 < expected.size() && expected[i + 1] == L'\n'))
            withoutPairs += expected[i];
    }
    FUZZ_REQUIRE(joined == withoutPairs);
    if (!markedLines.empty() && !bytes.empty() && bytes.compare(0, 3, "\xEF\xBB\xBF") != 0)
        FUZZ_REQUIRE(markedLines[0].empty() || markedLines[0][0] != 0xFEFF);

    // A UTF-16 mark never reaches the first line either.
    const std::vector<std::wstring> utf16 = decodeTextLines("\xFF\xFE" + bytes);
    if (!utf16.empty() && !utf16[0].empty() && bytes.size() >= 2)
        FUZZ_REQUIRE(!(utf16[0][0] == 0xFEFF && !(bytes[0] == '\xFF' && bytes[1] == '\xFE')));
    return 0;
}
