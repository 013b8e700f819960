// palimoorctl check over any file, in one of its forms each time: findings
// within the file (in line order but for those about a whole section, said
// when it has been read), output that holds no control character, and JSON
// that keeps its own quoting.
#include "ctl/commands.h"
#include "fuzz_input.h"
#include "tests/unit/fake_system.h"
#include "rules/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    fakeSystem.reset();
    // Chunks of 1 to 128 bytes (a line, a mark or a character may fall across
    // them), and one of the two forms: text or JSON.
    fakeSystem.chunkSize = 1 + data[0] / 2;
    const bool json = (data[0] & 1) != 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    fakeSystem.files[L"r.ini"] = bytes;
    std::wstring out, err;
    Console console;
    console.capturedOut = &out;
    console.capturedErr = &err;
    const int code = runCtl(
        json ? Arguments{L"check", L"--json", L"r.ini"} : Arguments{L"check", L"r.ini"}, console);
    FUZZ_REQUIRE((code == 0 || code == 1) && err.empty());
    FUZZ_REQUIRE(fakeSystem.boxes.empty());
    if (json) {
        FUZZ_REQUIRE(out.size() >= 4 && out.compare(0, 2, L"{\n") == 0 &&
                     out.compare(out.size() - 2, 2, L"}\n") == 0);
        return 0;
    }
    const long lines = static_cast<long>(decodeTextLines(bytes).size());
    for (size_t at = 0; at < out.size();) {
        const size_t end = out.find(L'\n', at);
        FUZZ_REQUIRE(end != std::wstring::npos);
        const std::wstring line = out.substr(at, end - at);
        for (wchar_t c : line)
            FUZZ_REQUIRE(static_cast<unsigned>(c) >= 0x20 && c != 0x7F && c != 0xFEFF);
        FUZZ_REQUIRE(line.compare(0, 6, L"r.ini:") == 0);
        if (line.compare(0, 7, L"r.ini: ") != 0) { // about one line: in the file
            const long number = std::wcstol(line.c_str() + 6, nullptr, 10);
            FUZZ_REQUIRE(number >= 1 && number <= lines);
        }
        at = end + 1;
    }
    return 0;
}
