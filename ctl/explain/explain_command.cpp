// `palimoorctl explain FILE SECTION [--codepage N]`
#include "ctl/explain/explain_command.h"
#include "base/code_page.h"
#include "ctl/explain/explain.h"
#include "ctl/io/code_page_choice.h"
#include "ctl/io/shown_text.h"
#include "ctl/observed/desktop_look.h"
#include "ctl/observed/near_miss.h"
#include "ctl/reading/section_names.h"

int explainCommand(const ParsedArguments& read, const Console& console) {
    if (read.positional.size() != 2)
        return usageError(console, L"needs FILE and SECTION", L"explain");
    const std::wstring& file = read.positional[0];
    const std::wstring& section = read.positional[1];

    const SectionLoad load = loadSection(file, section);
    if (!load.opened) {
        console.error(L"palimoorctl explain: cannot read " + visible(file) + L"\n");
        return 2;
    }
    if (load.encoding.encoding == TextEncoding::Ansi && !ansiCodePageReadable()) {
        console.error(L"palimoorctl explain: cannot read " + visible(file) + L": " +
                      cannotConvertText(ansiCodePage()) + L"\n");
        return 2;
    }
    std::wstring notes;
    for (const ReportedMessage& message : load.messages) {
        std::wstring text = asBoxShowsIt(message.text);
        for (wchar_t& c : text) {
            if (c == L'\n')
                c = L' ';
        }
        notes += visible(file) + (message.line > 0 ? L":" + std::to_wstring(message.line) : L"") +
                 L": note: palimoor.exe says " + visible(text) + L"\n";
    }
    if (!load.loaded) {
        console.error(notes + L"palimoorctl explain: [" + visible(section) +
                      L"] cannot be loaded; palimoor.exe would show its load-failure box and "
                      L"end with exit code 1\n");
        return 1;
    }
    // Where there is a desktop: the windows the rule nearly finds, when it finds none.
    DesktopLook desktop;
    const std::vector<NearMiss> nearby =
        desktopNow(desktop) ? nearMisses(load.rule, desktop) : std::vector<NearMiss>();
    console.print(notes + explainRule(section, load.rule) +
                  (nearby.empty() ? L""
                                  : L"Now:     no window is the rule's; the nearest:\n" +
                                        nearMissLines(nearby, L"  - ")));
    return 0;
}
