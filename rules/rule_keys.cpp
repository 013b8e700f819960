#include "rules/rule_keys.h"
#include "base/text_compare.h"
#include "rules/number_text.h"

const Keyword<CheckMode> kCheckModes[3] = {
    {L"current", CheckMode::current}, {L"change", CheckMode::change}, {L"both", CheckMode::both}};

const Keyword<TriggerState> kTriggers[8] = {
    {L"running", TriggerState::running},         {L"closed", TriggerState::closed},
    {L"active", TriggerState::active},           {L"inactive", TriggerState::inactive},
    {L"not_running", TriggerState::not_running}, {L"not_closed", TriggerState::not_closed},
    {L"not_active", TriggerState::not_active},   {L"not_inactive", TriggerState::not_inactive},
};

namespace {

// A number in range [minimum, max int32], or exactly `alsoAllowed`.
bool parseMilliseconds(const std::wstring& value, std::int32_t minimum, std::int32_t alsoAllowed,
                       std::int32_t& field) {
    std::int32_t number;
    if (!readLeadingInt32(value, 0, number))
        return false;
    if (number < minimum && number != alsoAllowed)
        return false;
    field = number;
    return true;
}

bool parseTimeout(const std::wstring& value, std::int32_t& timeout) {
    if (equalsIgnoreCase(value, L"infinite")) {
        timeout = -1;
        return true;
    }
    return parseMilliseconds(value, 1, -1, timeout);
}

} // namespace

const wchar_t* checkKeyword(CheckMode check) {
    for (const Keyword<CheckMode>& entry : kCheckModes) {
        if (entry.value == check)
            return entry.word;
    }
    return L"?";
}

const wchar_t* triggerKeyword(TriggerState trigger) {
    for (const Keyword<TriggerState>& entry : kTriggers) {
        if (entry.value == trigger)
            return entry.word;
    }
    return L"?";
}

void reportKeyError(const Rule& rule, const std::wstring& prefix, const std::wstring& key,
                    const std::wstring& value, int line) {
    rule.showAt(line, prefix + L"\n" + key + L"=" + value, kBoxPlain);
}

bool applyRuleKeys(Rule& rule, const std::vector<KeyValue>& keys) {
    for (const KeyValue& kv : keys) {
        const std::wstring& key = kv.key;
        const std::wstring& value = kv.value;
        bool valid = true;
        if (equalsIgnoreCase(key, L"class")) {
            rule.class_ = value;
        } else if (equalsIgnoreCase(key, L"title")) {
            rule.title = value;
        } else if (equalsIgnoreCase(key, L"check")) {
            valid = lookupKeyword(value, kCheckModes, rule.check);
        } else if (equalsIgnoreCase(key, L"trigger")) {
            valid = lookupKeyword(value, kTriggers, rule.trigger);
        } else if (equalsIgnoreCase(key, L"sleep")) {
            valid = parseMilliseconds(value, 0, 0, rule.sleep);
        } else if (equalsIgnoreCase(key, L"exec")) {
            rule.exec.push_back(value);
        } else if (equalsIgnoreCase(key, L"timeout")) {
            valid = parseTimeout(value, rule.timeout);
        } else if (equalsIgnoreCase(key, L"ontimeout")) {
            rule.ontimeout.push_back(value);
        } else if (equalsIgnoreCase(key, L"onunmatch")) {
            rule.onunmatch.push_back(value);
        } else if (equalsIgnoreCase(key, L"polling")) {
            valid = parseMilliseconds(value, 1, 1, rule.polling);
        } else {
            reportKeyError(rule, L"キー名称不正", key, value, kv.line);
            continue;
        }
        if (!valid)
            reportKeyError(rule, L"キー値不正", key, value, kv.line);
    }
    if (!rule.class_.empty() || !rule.title.empty())
        return true;
    rule.show(L"classとtitleが両方とも未指定です", kBoxPlain);
    return false;
}
