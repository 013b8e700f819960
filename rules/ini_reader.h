// The rule file's lines: where the file is, and what each line is.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct KeyValue {
    std::wstring key;   // before the first "="
    std::wstring value; // after it, possibly empty
    int line = 0;       // where it stands in the file, from 1; 0 when unknown
};

enum class LineKind { BlankOrComment, Header, KeyLine, Other };

// The rule file's blanks: space, tab and the ideographic space. A line of
// them is blank; nothing else is trimmed, so around a value they stay part of
// it (the checker looks for them there).
inline constexpr wchar_t kRuleBlanks[] = L" \t\u3000";
bool isRuleBlank(wchar_t c);
bool hasOuterBlanks(const std::wstring& text);
std::wstring trimRuleBlanks(const std::wstring& text);
// The text from `from` without its outer blanks, when that is at most `most`
// long: a line can be megabytes, and is copied only when it is short.
bool trimmedIfShort(const std::wstring& text, size_t from, size_t most, std::wstring& trimmed);

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

// A hash of the key lines as read: what a waiting instance loaded, told from
// what the file holds now.
std::uint64_t keyLinesHash(const std::vector<KeyValue>& keys);

// The key lines of every occurrence of `header`, in file order.
std::vector<KeyValue> collectSectionKeys(const std::vector<std::wstring>& lines,
                                         const std::wstring& header);
