#include "rules/rule_keys.h"
#include "base/count_of.h"
#include "base/text_compare.h"
#include "rules/number_text.h"
#include "rules/rule_messages.h"

namespace {

constexpr KeyWord kCheckWords[] = {{L"current", 1}, {L"change", 2}, {L"both", 3}};
constexpr KeyWord kTriggerWords[] = {{L"running", 2},     {L"closed", 1},       {L"active", 3},
                                     {L"inactive", 4},    {L"not_running", 12}, {L"not_closed", 11},
                                     {L"not_active", 13}, {L"not_inactive", 14}};
constexpr KeyWord kTimeoutWords[] = {{L"infinite", -1}};
constexpr KeyWord kTitleMatchWords[] = {
    {L"exact", 0}, {L"start", 1}, {L"contains", 2}, {L"end", 3}};
constexpr KeyWord kRepeatWords[] = {{L"infinite", kRepeatForever}};

} // namespace

constexpr RuleKey kRuleKeys[kRuleKeyCount] = {
    {L"class", RuleField::Class, KeyKind::Text, nullptr, 0, 0, 0},
    {L"title", RuleField::Title, KeyKind::Text, nullptr, 0, 0, 0},
    {L"check", RuleField::Check, KeyKind::Keyword, kCheckWords, countOf(kCheckWords), 0, 0},
    {L"trigger", RuleField::Trigger, KeyKind::Keyword, kTriggerWords, countOf(kTriggerWords), 0, 0},
    {L"sleep", RuleField::Sleep, KeyKind::Number, nullptr, 0, 0, 0},
    {L"exec", RuleField::Exec, KeyKind::List, nullptr, 0, 0, 0},
    {L"timeout", RuleField::Timeout, KeyKind::Number, kTimeoutWords, countOf(kTimeoutWords), 1, -1},
    {L"ontimeout", RuleField::OnTimeout, KeyKind::List, nullptr, 0, 0, 0},
    {L"onunmatch", RuleField::OnUnmatch, KeyKind::List, nullptr, 0, 0, 0},
    {L"polling", RuleField::Polling, KeyKind::Number, nullptr, 0, 1, 1},
    {L"process", RuleField::Process, KeyKind::Text, nullptr, 0, 0, 0},
    {L"titlematch", RuleField::TitleMatch, KeyKind::Keyword, kTitleMatchWords,
     countOf(kTitleMatchWords), 0, 0},
    {L"repeat", RuleField::Repeat, KeyKind::Number, kRepeatWords, countOf(kRepeatWords), 1, 1},
};

namespace {
// Each field's key at its own place: a key left out would be an empty entry.
constexpr bool oneKeyPerField() {
    for (size_t i = 0; i < kRuleKeyCount; ++i) {
        if (!kRuleKeys[i].name || kRuleKeys[i].field != static_cast<RuleField>(i))
            return false;
    }
    return true;
}
static_assert(oneKeyPerField(), "kRuleKeys holds every field's key, in the fields' order");
} // namespace

const RuleKey* findRuleKey(const std::wstring& name) {
    for (const RuleKey& key : kRuleKeys) {
        if (equalsIgnoreCase(name, key.name))
            return &key;
    }
    return nullptr;
}

const RuleKey& ruleKey(RuleField field) {
    return kRuleKeys[static_cast<size_t>(field)];
}

bool readKeyValue(const RuleKey& key, const std::wstring& value, std::int32_t& number) {
    for (size_t i = 0; i < key.wordCount; ++i) {
        if (equalsIgnoreCase(value, key.words[i].word)) {
            number = key.words[i].value;
            return true;
        }
    }
    if (key.kind != KeyKind::Number || !readLeadingInt32(value, 0, number))
        return false;
    return number >= key.minimum || number == key.alsoAllowed;
}

const wchar_t* keyWordFor(const RuleKey& key, std::int32_t value) {
    for (size_t i = 0; i < key.wordCount; ++i) {
        if (key.words[i].value == value)
            return key.words[i].word;
    }
    return L"?";
}

void reportKeyError(const Rule& rule, MessageId id, const std::wstring& key,
                    const std::wstring& value, int line) {
    const wchar_t* prefix = id == MessageId::UnknownKey ? kUnknownKeyMessage : kBadValueMessage;
    rule.showAt(line, keyErrorMessage(prefix, key, value), kBoxPlain, id);
}

bool applyRuleKey(Rule& rule, const KeyValue& kv) {
    const RuleKey* key = findRuleKey(kv.key);
    if (!key) {
        reportKeyError(rule, MessageId::UnknownKey, kv.key, kv.value, kv.line);
        return false;
    }
    std::int32_t number = 0;
    if ((key->kind == KeyKind::Keyword || key->kind == KeyKind::Number) &&
        !readKeyValue(*key, kv.value, number)) {
        reportKeyError(rule, MessageId::BadValue, kv.key, kv.value, kv.line);
        return false;
    }
    switch (key->field) {
    case RuleField::Class:
        rule.class_ = kv.value;
        break;
    case RuleField::Title:
        rule.title = kv.value;
        break;
    case RuleField::Check:
        rule.check = static_cast<CheckMode>(number);
        break;
    case RuleField::Trigger:
        rule.trigger = static_cast<TriggerState>(number);
        break;
    case RuleField::Sleep:
        rule.sleep = number;
        break;
    case RuleField::Exec:
        rule.exec.push_back(kv.value);
        break;
    case RuleField::Timeout:
        rule.timeout = number;
        break;
    case RuleField::OnTimeout:
        rule.ontimeout.push_back(kv.value);
        break;
    case RuleField::OnUnmatch:
        rule.onunmatch.push_back(kv.value);
        break;
    case RuleField::Polling:
        rule.polling = number;
        break;
    case RuleField::Process:
        rule.process = kv.value;
        break;
    case RuleField::TitleMatch:
        rule.titlematch = static_cast<TitleMatch>(number);
        break;
    case RuleField::Repeat:
        rule.repeat = number;
        break;
    }
    return true;
}

bool finishRuleKeys(Rule& rule, const KeyValue& titlematch) {
    if (rule.titlematch != TitleMatch::exact && rule.title.empty()) {
        reportKeyError(rule, MessageId::BadValue, titlematch.key, titlematch.value,
                       titlematch.line);
        rule.titlematch = TitleMatch::exact;
    }
    if (!rule.class_.empty() || !rule.title.empty() || !rule.process.empty())
        return true;
    rule.show(kNoWindowMessage, kBoxPlain, MessageId::NoWindow);
    return false;
}

bool applyRuleKeys(Rule& rule, const std::vector<KeyValue>& keys) {
    KeyValue titlematch; // the line that set it last
    for (const KeyValue& kv : keys) {
        if (applyRuleKey(rule, kv) && findRuleKey(kv.key)->field == RuleField::TitleMatch)
            titlematch = kv;
    }
    return finishRuleKeys(rule, titlematch);
}
