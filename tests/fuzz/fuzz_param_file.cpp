// The parameter file: any bytes; a refused line shows its box and reading
// goes on, every other line is applied or ignored.
#include "options/param_file.h"
#include "fuzz_input.h"
#include "tests/unit/fake_system.h"
#include "rules/ini_reader.h"
#include "rules/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    fakeSystem.reset();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fakeSystem.files[L"\\p.txt"] = bytes;
    Settings settings;
    readParamFile(settings, L"\\p.txt");
    size_t options = 0;
    for (const std::wstring& line : decodeTextLines(bytes))
        options += !isBlankOrComment(line);
    FUZZ_REQUIRE(fakeSystem.boxes.size() <= options);
    for (const RecordedBox& box : fakeSystem.boxes)
        FUZZ_REQUIRE(box.text.compare(0, 9, L" パラメータ不正\n") == 0);
    FUZZ_REQUIRE(settings.section.empty() && settings.paramfile.empty());
    return 0;
}
