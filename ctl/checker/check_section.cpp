#include "ctl/checker/check_section.h"
#include "ctl/checker/check_lines.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/section_names.h"
#include "rules/rule_messages.h"

std::wstring sectionText(const std::wstring& name) {
    return L"section [" + visible(name) + L"]";
}

std::wstring lineText(int line) {
    return L"line " + std::to_wstring(line);
}

void OpenSection::takeKey(const KeyValue& keyValue, bool refused, std::vector<CheckFinding>& out) {
    rule.exec.clear();
    rule.ontimeout.clear();
    rule.onunmatch.clear();
    ++keyLines;
    const RuleKey* key = findRuleKey(keyValue.key);
    if (!key || refused)
        return;
    if (key->field == RuleField::OnTimeout && firstOntimeout == 0)
        firstOntimeout = keyValue.line;
    if (key->field == RuleField::OnUnmatch && firstOnunmatch == 0)
        firstOnunmatch = keyValue.line;
    if (key->field == RuleField::Repeat)
        repeatLine = keyValue.line;
    if (key->field == RuleField::TitleMatch)
        titlematch = keyValue;
    if (key->field == RuleField::Title) {
        titleLine = keyValue.line;
        titleWarning = titleBlanksWarning(keyValue.value);
    }
    if (key->kind == KeyKind::List)
        return;
    int& last = lastSet[static_cast<int>(key->field)];
    if (last != 0)
        out.push_back(
            {keyValue.line, Severity::Warning, FindingCode::SetAgain,
             std::wstring(key->name) + L" is set again: this line replaces " + lineText(last),
             L""});
    last = keyValue.line;
}

std::vector<CheckFinding> OpenSection::wholeFindings(bool& loads) {
    std::vector<CheckFinding> out;
    const auto error = [&](int line, FindingCode code, const std::wstring& message,
                           const std::wstring& program) {
        out.push_back({line, Severity::Error, code, message, asBoxShowsIt(program)});
    };
    const auto warning = [&](int line, FindingCode code, const std::wstring& message) {
        out.push_back({line, Severity::Warning, code, message, L""});
    };
    if (keyLines == 0) {
        error(firstLine, FindingCode::NoKeyLine,
              sectionText(name) + L" has no key line, so it cannot be loaded",
              sectionNotFoundMessage(name));
        loads = false;
        return out;
    }
    std::vector<ReportedMessage> reported;
    rule.assignReporter(Reporter::collecting(&reported));
    loads = finishRuleKeys(rule, titlematch);
    for (const ReportedMessage& message : reported) {
        if (message.id == MessageId::BadValue)
            error(message.line, FindingCode::TitlematchWithoutTitle,
                  L"titlematch (" + lineText(message.line) +
                      L") has no title to compare: set title or leave titlematch out",
                  message.text);
        else if (message.id == MessageId::NoWindow)
            error(firstLine, FindingCode::NoWindow,
                  sectionText(name) + L" names no window: set class, title or process",
                  message.text);
    }
    if (!titleWarning.empty() && rule.titlematch == TitleMatch::exact)
        warning(titleLine, FindingCode::TitleWithBlanks, titleWarning);
    // A list that the rule's check mode never runs, said at its first line.
    if (rule.check == CheckMode::current && firstOntimeout > 0)
        warning(firstOntimeout, FindingCode::OntimeoutNeverRuns,
                L"ontimeout never runs: with check=current the rule never waits");
    if (rule.check == CheckMode::both && firstOnunmatch > 0)
        warning(firstOnunmatch, FindingCode::OnunmatchNeverRuns,
                L"onunmatch never runs: with check=both a state that does not "
                L"hold at start is waited for");
    if (rule.check == CheckMode::current && rule.repeat != kRepeatOnce)
        warning(repeatLine, FindingCode::RepeatWithCurrent,
                L"repeat has no effect: with check=current (the default) the rule looks once "
                L"and ends; set check=change, or check=both to act on a window already there too");
    return out;
}
