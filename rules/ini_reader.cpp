#include "rules/ini_reader.h"
#include "base/text_hash.h"
#include "base/path_text.h"

std::wstring iniFilePath(const std::wstring& modulePath, const std::wstring& inifile) {
    const PathParts module = splitModulePath(modulePath);
    if (!inifile.empty())
        return module.directory + L"\\" + inifile;
    return module.directory + L"\\" + baseNameOf(module.fileName) + L".ini";
}

bool isRuleBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == 0x3000;
}

bool hasOuterBlanks(const std::wstring& text) {
    return !text.empty() && (isRuleBlank(text.front()) || isRuleBlank(text.back()));
}

std::wstring trimRuleBlanks(const std::wstring& text) {
    const size_t first = text.find_first_not_of(kRuleBlanks);
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(kRuleBlanks) - first + 1);
}

bool trimmedIfShort(const std::wstring& text, size_t from, size_t most, std::wstring& trimmed) {
    const size_t first = text.find_first_not_of(kRuleBlanks, from);
    if (first == std::wstring::npos) {
        trimmed.clear();
        return true;
    }
    const size_t last = text.find_last_not_of(kRuleBlanks);
    if (last - first + 1 > most)
        return false;
    trimmed = text.substr(first, last - first + 1);
    return true;
}

bool isBlankOrComment(const std::wstring& line) {
    const size_t first = line.find_first_not_of(kRuleBlanks);
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

std::uint64_t keyLinesHash(const std::vector<KeyValue>& keys) {
    std::wstring text;
    for (const KeyValue& key : keys)
        text += key.key + L"=" + key.value + L"\n";
    return textHash(text);
}
