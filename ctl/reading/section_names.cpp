#include "ctl/reading/section_names.h"
#include "ctl/reading/spelling.h"
#include "rules/ini_reader.h"
#include "rules/rule_loader.h"

SectionLoad loadSection(const std::wstring& file, const std::wstring& section) {
    SectionLoad load;
    load.rule.assignReporter(Reporter::collecting(&load.messages));
    load.loaded = readRuleSection(load.rule, file, section, &load.encoding, &load.keysHash);
    for (const ReportedMessage& message : load.messages) {
        load.opened = load.opened && message.id != MessageId::CannotOpen;
        load.found = load.found && message.id != MessageId::SectionNotFound;
    }
    return load;
}

bool fileHasSection(const std::wstring& file, const std::wstring& name) {
    bool found = false;
    forEachTextLine(file, [&](const std::wstring& line, int) {
        found = found || (isSectionHeader(line) && line.size() == name.size() + 2 &&
                          line.compare(1, name.size(), name) == 0);
    });
    return found;
}

std::wstring sectionsNear(const std::wstring& file, const std::wstring& name) {
    NearestNames nearest(name);
    forEachTextLine(file, [&](const std::wstring& line, int) {
        if (isSectionHeader(line))
            nearest.offer(line.substr(1, line.size() - 2));
    });
    return nearest.describe();
}

std::wstring commandLineNameProblem(const std::wstring& section) {
    if (hasOuterBlanks(section))
        return L"begins or ends with a blank, which a shortcut or a shell does not keep";
    for (wchar_t c : section) {
        if (c == L'\r' || c == L'\n' || c == L'\0')
            return L"holds a line break or NUL, which no command line carries";
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            return L"holds a control character, which no shortcut carries as it is";
    }
    return std::wstring();
}

std::wstring asBoxShowsIt(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}
