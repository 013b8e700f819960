// The rule's keys, described once as data: the key parser applies them, and
// palimoorctl checks and explains rules from the same description.
#pragma once
#include "base/reporter.h"
#include "rules/ini_reader.h"
#include "rules/rule.h"
#include <cstdint>
#include <vector>

enum class RuleField {
    Class,
    Title,
    Check,
    Trigger,
    Sleep,
    Exec,
    Timeout,
    OnTimeout,
    OnUnmatch,
    Polling,
    Process,
    TitleMatch,
    Repeat, // the last: kRuleKeyCount counts from it
};

// Text: any value, kept as written. List: the same, one entry more each
// line. Keyword: one of the words. Number: a number (or one of the words).
enum class KeyKind { Text, List, Keyword, Number };

// A word a value may be, letter case ignored, and the number it stands for.
struct KeyWord {
    const wchar_t* word;
    std::int32_t value;
};

struct RuleKey {
    const wchar_t* name;
    RuleField field;
    KeyKind kind;
    const KeyWord* words; // in the order they are tried
    size_t wordCount;
    std::int32_t minimum;     // Number: the least number accepted
    std::int32_t alsoAllowed; // Number: one number below it accepted too; else the minimum
};

// One key per field, in the order the parser compares them.
constexpr size_t kRuleKeyCount = static_cast<size_t>(RuleField::Repeat) + 1;
extern const RuleKey kRuleKeys[kRuleKeyCount];

// The key `name` stands for, letter case ignored; null when none.
const RuleKey* findRuleKey(const std::wstring& name);
const RuleKey& ruleKey(RuleField field);
// A Keyword or Number value as the parser reads it; false when it refuses it.
bool readKeyValue(const RuleKey& key, const std::wstring& value, std::int32_t& number);
// The word for a Keyword key's value; "?" when none.
const wchar_t* keyWordFor(const RuleKey& key, std::int32_t value);

// One key line into the rule; false when refused, which is reported and
// leaves the rule as it was.
bool applyRuleKey(Rule& rule, const KeyValue& keyValue);
// The checks that need the whole section: a titlematch without a title
// (reported at `titlematch`, the key line that set it, and undone), then
// whether the rule names a window (class, title or process not empty).
bool finishRuleKeys(Rule& rule, const KeyValue& titlematch);
// Every key line, then the checks above.
bool applyRuleKeys(Rule& rule, const std::vector<KeyValue>& keys);
// The key line's number, when known, goes with the message to a collecting reporter.
void reportKeyError(const Rule& rule, MessageId id, const std::wstring& key,
                    const std::wstring& value, int line = 0);
