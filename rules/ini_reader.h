// The rule file's lines: where the file is, and what each line is.
#pragma once
#include <string>
#include <vector>

struct KeyValue {
    std::wstring key;   // before the first "="
    std::wstring value; // after it, possibly empty
    int line = 0;       // where it stands in the file, from 1; 0 when unknown
};

enum class LineKind { BlankOrComment, Header, KeyLine, Other };

std::wstring iniFilePath(const std::wstring& modulePath, const std::wstring& inifile);
// Blank (only spaces, tabs, ideographic spaces) or a "#" comment line.
bool isBlankOrComment(const std::wstring& line);
bool isSectionHeader(const std::wstring& line);
bool splitKeyValue(const std::wstring& line, KeyValue& keyValue);
// What a line is to the reader, in the order the reader asks; `keyValue` is
// filled for a key line.
LineKind classifyLine(const std::wstring& line, KeyValue& keyValue);

// Gathers the key lines of every occurrence of one section, a line at a time.
struct SectionCollector {
    std::wstring header; // "[" + section + "]"
    bool inside = false;
    std::vector<KeyValue> keys;

    void take(const std::wstring& line, int lineNumber);
};

// The key lines of every occurrence of `header`, in file order.
std::vector<KeyValue> collectSectionKeys(const std::vector<std::wstring>& lines,
                                         const std::wstring& header);
