#include "rules/ini_reader.h"
#include "app/path_text.h"
#include "rules/rule_keys.h"
#include "rules/text_file.h"

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

std::vector<KeyValue> collectSectionKeys(const std::vector<std::wstring>& lines,
                                         const std::wstring& header) {
    std::vector<KeyValue> keys;
    bool inside = false;
    for (const std::wstring& line : lines) {
        if (isBlankOrComment(line))
            continue;
        if (isSectionHeader(line)) {
            inside = line == header;
            continue;
        }
        KeyValue keyValue;
        if (inside && splitKeyValue(line, keyValue))
            keys.push_back(std::move(keyValue));
    }
    return keys;
}

bool readRuleSection(Rule& rule, const std::wstring& path, const std::wstring& section) {
    std::vector<std::wstring> lines;
    if (!readTextLines(path, lines)) {
        rule.show(L"ファイルオープン失敗:\n" + path, kBoxPlain);
        return false;
    }
    const std::vector<KeyValue> keys = collectSectionKeys(lines, L"[" + section + L"]");
    if (keys.empty()) {
        rule.show(L"処理対象セクションが見つからない:\n" + section, kBoxPlain);
        return false;
    }
    return applyRuleKeys(rule, keys);
}

bool loadRule(const std::wstring& modulePath, const Settings& settings, const Reporter& reporter,
              Rule& rule) {
    // Messages are sized to their text: a long path or section is never cut.
    const std::wstring path = iniFilePath(modulePath, settings.inifile);
    reporter.show(L"INIファイル(" + path + L")", kBoxPlain);
    if (readRuleSection(rule, path, settings.section))
        return true;
    showMessageBox(foregroundWindow(),
                   L"INIファイル読み込み失敗\nファイル(" + path + L")\nセクション(" +
                       settings.section + L")",
                   reporter.caption(), kBoxPlain);
    return false;
}
