// `palimoorctl explain FILE SECTION`
#include "ctl/check_lines.h"
#include "ctl/commands.h"
#include "ctl/explain.h"
#include "ctl/text_out.h"
#include "rules/ini_reader.h"

namespace {

const wchar_t* const kHelp =
    L"usage: palimoorctl explain FILE SECTION\n"
    L"\n"
    L"Loads SECTION of FILE exactly as palimoor.exe would and says in plain English what\n"
    L"it will do: the window, the state, what happens at start for each outcome of the\n"
    L"first look, how it waits, the timeout, and each list entry as it will be read.\n"
    L"Keys that palimoor.exe skips are listed first, as notes.\n"
    L"\n"
    L"Exit code: 0 the rule loads, 1 it cannot be loaded, 2 an unreadable file or a wrong\n"
    L"command line.\n";

} // namespace

int explainCommand(const Arguments& arguments, const Console& console) {
    if (wantsHelp(arguments)) {
        console.print(kHelp);
        return 0;
    }
    if (arguments.size() != 2)
        return usageError(console, L"needs FILE and SECTION", L"explain");
    const std::wstring& file = arguments[0];
    const std::wstring& section = arguments[1];

    std::vector<Finding> reported;
    Rule rule;
    rule.assignReporter(Reporter::collecting(&reported));
    const bool loaded = readRuleSection(rule, file, section);
    const std::wstring cannotOpen = L"ファイルオープン失敗";
    if (!reported.empty() && reported.front().text.compare(0, cannotOpen.size(), cannotOpen) == 0) {
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
