#include "ctl/rule_scan.h"
#include "rules/text_file.h"
#include <map>

bool scanRuleFile(const std::wstring& path, RuleScan& scan) {
    std::map<std::wstring, int> byHeader;
    int current = -1;
    return forEachTextLine(path, [&](const std::wstring& text, int number) {
        ScannedLine line{number, text, LineKind::Other, {}, current};
        line.kind = classifyLine(text, line.keyValue);
        if (line.kind == LineKind::Header) {
            // Headers compare exactly, as the program compares them.
            auto found = byHeader.find(text);
            if (found == byHeader.end()) {
                found = byHeader.emplace(text, static_cast<int>(scan.sections.size())).first;
                scan.sections.push_back({text.substr(1, text.size() - 2), {}, {}});
            }
            current = found->second;
            line.section = current;
            scan.sections[current].headerLines.push_back(number);
        } else if (line.kind == LineKind::KeyLine) {
            line.keyValue.line = number;
            if (current >= 0)
                scan.sections[current].keys.push_back(line.keyValue);
        }
        scan.lines.push_back(std::move(line));
    });
}

int findSection(const RuleScan& scan, const std::wstring& name) {
    for (size_t i = 0; i < scan.sections.size(); ++i) {
        if (scan.sections[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}
