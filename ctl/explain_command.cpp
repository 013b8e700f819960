// `palimoorctl explain FILE SECTION [--codepage N]`
#include "base/code_page.h"
#include "ctl/check_lines.h"
#include "ctl/commands.h"
#include "ctl/explain.h"
#include "ctl/text_out.h"
#include "rules/rule_loader.h"
#include "rules/text_file.h"

int explainCommand(const ReadArguments& read, const Console& console) {
    if (read.positional.size() != 2)
        return usageError(console, L"needs FILE and SECTION", L"explain");
    const std::wstring& file = read.positional[0];
    const std::wstring& section = read.positional[1];

    TextFileInfo info;
    forEachTextLine(
        file, [](const std::wstring&, int) {}, &info);
    if (info.encoding == TextEncoding::Ansi && !ansiCodePageReadable()) {
        console.error(L"palimoorctl explain: cannot read " + visible(file) +
                      L": this system cannot convert code page " + std::to_wstring(ansiCodePage()) +
                      L" (--codepage N for another)\n");
        return 2;
    }
    std::vector<Finding> reported;
    Rule rule;
    rule.assignReporter(Reporter::collecting(&reported));
    const bool loaded = readRuleSection(rule, file, section);
    if (!reported.empty() && reported.front().id == MessageId::CannotOpen) {
        console.error(L"palimoorctl explain: cannot read " + visible(file) + L"\n");
        return 2;
    }
    std::wstring notes;
    for (const Finding& finding : reported) {
        std::wstring text = asBoxShowsIt(finding.text);
        for (wchar_t& c : text) {
            if (c == L'\n')
                c = L' ';
        }
        notes += visible(file) + (finding.line > 0 ? L":" + std::to_wstring(finding.line) : L"") +
                 L": note: palimoor.exe says " + visible(text) + L"\n";
    }
    if (!loaded) {
        console.error(notes + L"palimoorctl explain: [" + visible(section) +
                      L"] cannot be loaded; palimoor.exe would show its load-failure box and "
                      L"end with exit code 1\n");
        return 1;
    }
    console.print(notes + explainRule(section, rule));
    return 0;
}
