#include "rules/rule.h"

void Rule::resetRule() {
    class_.clear();
    title.clear();
    check = CheckMode::current;
    trigger = TriggerState::closed;
    sleep = 0;
    exec.clear();
    timeout = -1;
    ontimeout.clear();
    onunmatch.clear();
    polling = 50;
    process.clear();
    titlematch = TitleMatch::exact;
    repeat = kRepeatOnce;
}

bool repeats(const Rule& rule) {
    return rule.repeat != kRepeatOnce && rule.check != CheckMode::current;
}

bool watchesMainWindow(const Rule& rule) {
    return !rule.process.empty() && rule.class_.empty() && rule.title.empty();
}

bool looksWindowByWindow(const Rule& rule) {
    return !rule.process.empty() || rule.titlematch != TitleMatch::exact;
}

bool countsOnlyVisible(const Rule& rule) {
    return watchesMainWindow(rule) || rule.titlematch != TitleMatch::exact;
}
