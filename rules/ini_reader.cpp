#include "rules/ini_reader.h"
#include "base/path_text.h"
#include "rules/rule_keys.h"
#include "rules/text_file.h"
#include <new>

std::wstring iniFilePath(const std::wstring& modulePath, const std::wstring& inifile) {
    const PathParts module = splitModulePath(modulePath);
    if (!inifile.empty())
        return module.directory + L"\\" + inifile;
    return module.directory + L"\\" + baseNameOf(module.fileName) + L".ini";
}

bool isBlankOrComment(const std::wstring& line) {
    const size_t first = line.find_first_not_of(L" \t\u3000");
    return first == std::wstring::npos || line[first] == L'#';
}

bool isSectionHeader(const std::wstring& line) {
    return line.size() >= 2 && line.front() == L'[' && line.back() == L']';
}

bool splitKeyValue(const std::wstring& line, KeyValue& keyValue) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos || equals == 0)
        return false;
    keyValue.key = line.substr(0, equals);
    keyValue.value = line.substr(equals + 1);
    return true;
}

LineKind classifyLine(const std::wstring& line, KeyValue& keyValue) {
    if (isBlankOrComment(line))
        return LineKind::BlankOrComment;
    if (isSectionHeader(line))
        return LineKind::Header;
    return splitKeyValue(line, keyValue) ? LineKind::KeyLine : LineKind::Other;
}

void SectionCollector::take(const std::wstring& line, int lineNumber) {
    KeyValue keyValue;
    switch (classifyLine(line, keyValue)) {
    case LineKind::Header:
        inside = line == header;
        break;
    case LineKind::KeyLine:
        if (inside) {
            keyValue.line = lineNumber;
            keys.push_back(std::move(keyValue));
        }
        break;
    default:
        break;
    }
}

std::vector<KeyValue> collectSectionKeys(const std::vector<std::wstring>& lines,
                                         const std::wstring& header) {
    SectionCollector collector{header, false, {}};
    for (size_t i = 0; i < lines.size(); ++i)
        collector.take(lines[i], static_cast<int>(i + 1));
    return std::move(collector.keys);
}

bool readRuleSection(Rule& rule, const std::wstring& path, const std::wstring& section) {
    try {
        SectionCollector collector{L"[" + section + L"]", false, {}};
        if (!forEachTextLine(path, [&](const std::wstring& line, int number) {
                collector.take(line, number);
            })) {
            rule.show(L"ファイルオープン失敗:\n" + path, kBoxPlain);
            return false;
        }
        if (collector.keys.empty()) {
            rule.show(L"処理対象セクションが見つからない:\n" + section, kBoxPlain);
            return false;
        }
        return applyRuleKeys(rule, collector.keys);
    } catch (const std::bad_alloc&) {
        // A file too large for memory is a file that cannot be loaded.
        return false;
    }
}

bool loadRule(const std::wstring& modulePath, const Settings& settings, const Reporter& reporter,
              Rule& rule, void (*beforeFailureBox)()) {
    // Messages are sized to their text: a long path or section is never cut.
    const std::wstring path = iniFilePath(modulePath, settings.inifile);
    reporter.show(L"INIファイル(" + path + L")", kBoxPlain);
    if (readRuleSection(rule, path, settings.section))
        return true;
    if (beforeFailureBox)
        beforeFailureBox();
    showMessageBox(foregroundWindow(),
                   L"INIファイル読み込み失敗\nファイル(" + path + L")\nセクション(" +
                       settings.section + L")",
                   reporter.caption(), kBoxPlain);
    return false;
}
