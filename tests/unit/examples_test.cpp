// Every rule in the cookbook loads without a single report, so the examples never rot.
#include "rules/ini_reader.h"
#include "rules/rule_loader.h"
#include "rules/text_file.h"
#include "tests/unit/fake_system.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string readExample(const char* name) {
    std::ifstream file(std::string(PALIMOOR_EXAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(Examples, EverySectionLoadsWithoutReports) {
    const std::string content = readExample("cookbook.ini");
    ASSERT_FALSE(content.empty());
    std::vector<std::wstring> sections;
    for (const std::wstring& line : decodeTextLines(content)) {
        if (isSectionHeader(line))
            sections.push_back(line.substr(1, line.size() - 2));
    }
    ASSERT_GE(sections.size(), 8u);
    for (const std::wstring& section : sections) {
        fakeSystem.reset();
        fakeSystem.files[L"\\Palimoor\\cookbook.ini"] = content;
        Settings settings;
        settings.inifile = L"cookbook.ini";
        settings.section = section;
        Reporter reporter(nullptr, true);
        Rule rule;
        rule.assignReporter(reporter);
        EXPECT_TRUE(loadRule(L"\\Palimoor\\palimoor.exe", settings, reporter, rule));
        // Only the debug note naming the file: no finding about any key.
        EXPECT_EQ(fakeSystem.texts(),
                  std::vector<std::wstring>{L"INIファイル(\\Palimoor\\cookbook.ini)"})
            << "section " << std::string(section.begin(), section.end());
        EXPECT_FALSE(rule.exec.empty());
    }
}

} // namespace
