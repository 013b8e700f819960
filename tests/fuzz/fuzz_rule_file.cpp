// Section collection and key validation over any file: the loaded rule keeps
// its invariants, and every key line the program reports is a line it read.
#include "fuzz_input.h"
#include "tests/unit/fake_system.h"
#include "rules/ini_reader.h"
#include "rules/rule_loader.h"
#include "rules/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    fakeSystem.reset();
    fakeSystem.chunkSize = 1 + data[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    fakeSystem.files[L"\\r.ini"] = bytes;
    const std::vector<std::wstring> lines = decodeTextLines(bytes);
    // The section is the first header's name, so that sections are often found.
    std::wstring section = L"x";
    for (const std::wstring& line : lines) {
        if (isSectionHeader(line)) {
            section = line.substr(1, line.size() - 2);
            break;
        }
    }
    std::vector<ReportedMessage> findings;
    Rule rule;
    rule.assignReporter(Reporter::collecting(&findings));
    const bool loaded = readRuleSection(rule, L"\\r.ini", section);
    FUZZ_REQUIRE(fakeSystem.boxes.empty());
    if (loaded) {
        FUZZ_REQUIRE(!rule.class_.empty() || !rule.title.empty());
        FUZZ_REQUIRE(rule.sleep >= 0 && rule.polling > 0);
        FUZZ_REQUIRE(rule.timeout == -1 || rule.timeout > 0);
    }
    const std::vector<KeyValue> keys = collectSectionKeys(lines, L"[" + section + L"]");
    for (const ReportedMessage& finding : findings) {
        if (finding.line == 0)
            continue;
        FUZZ_REQUIRE(finding.line >= 1 && static_cast<size_t>(finding.line) <= lines.size());
        const std::wstring& line = lines[finding.line - 1];
        FUZZ_REQUIRE(finding.text.substr(finding.text.find(L'\n') + 1) == line);
    }
    for (const KeyValue& kv : keys) {
        FUZZ_REQUIRE(!kv.key.empty() && kv.key.find(L'=') == std::wstring::npos);
        FUZZ_REQUIRE(kv.key + L"=" + kv.value == lines[kv.line - 1]);
    }
    return 0;
}
