// `palimoorctl line RULEFILE SECTION [options]`: the command line that starts
// palimoor.exe with a rule, and shortcuts that carry it.
#include "ctl/line/line_command.h"
#include "base/code_page.h"
#include "base/file_io.h"
#include "base/file_write.h"
#include "base/path_text.h"
#include "base/shortcut_text.h"
#include "ctl/io/program_paths.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/message_box_recorded.h"
#include "ctl/reading/program_reading.h"
#include "ctl/reading/section_names.h"
#include "ctl/write/start_line.h"
#include "options/option.h"
#include "shell/shell_link.h"

namespace {

struct LineRequest {
    std::wstring rule, section, exe, lnk, ce, devicePath;
    std::vector<std::wstring> options; // as palimoor.exe's option tokens
};

int refuse(const Console& console, const std::wstring& message, int code) {
    console.error(L"palimoorctl line: " + visible(message) + L"\n");
    return code;
}

int parseLineRequest(const ParsedArguments& read, LineRequest& request, const Console& console) {
    if (read.positional.size() != 2)
        return usageError(console, L"needs RULEFILE and SECTION", L"line");
    request.rule = read.positional[0];
    request.section = read.positional[1];
    request.exe = read.value(L"--exe");
    request.lnk = read.value(L"--lnk");
    request.ce = read.value(L"--ce");
    request.devicePath = read.value(L"--device-path");
    for (const auto& option : read.options) {
        if (option.first == L"--debug")
            request.options.push_back(L"-debug=TRUE");
        else if (option.first == L"--execmode" || option.first == L"--showicon" ||
                 option.first == L"--showtask")
            request.options.push_back(L"-" + option.first.substr(2) + L"=" + option.second);
    }
    // The values palimoor.exe refuses, with its own parser.
    for (const std::wstring& option : request.options) {
        Settings scratch;
        if (!parseOption(scratch, option)) {
            takeProgramBoxTexts();
            return usageError(console, L"palimoor.exe refuses " + quoted(option), L"line");
        }
    }
    return 0;
}

int writeCeShortcut(const LineRequest& request, const std::wstring& exe,
                    const std::wstring& arguments, const Console& console) {
    const std::wstring device = request.devicePath.empty()
                                    ? L"\\Program Files\\Palimoor\\" + splitModulePath(exe).fileName
                                    : request.devicePath;
    std::string bytes;
    if (!encodeAnsiCodePage(composeCeShortcutText(L"\"" + device + L"\" " + arguments), bytes))
        return refuse(console,
                      L"the shortcut's text does not fit code page " +
                          std::to_wstring(ansiCodePage()) +
                          L": a character has no place in it, or reads back as another one "
                          L"(--codepage N for the handheld's)",
                      2);
    if (!writeFileBytes(request.ce, bytes))
        return refuse(console, L"cannot write " + visible(request.ce), 2);
    return 0;
}

} // namespace

int lineCommand(const ParsedArguments& read, const Console& console) {
    LineRequest request;
    if (const int code = parseLineRequest(read, request, console))
        return code;
    const std::wstring exe = programFile(request.exe);
    StartLine start;
    std::wstring why;
    int code = 0;
    if (!composeStartLine(exe, programForm(request.rule), request.section, request.options, start,
                          why, code))
        return refuse(console, why, code);
    if (const int shown = showStartLine(start, request.lnk, L"line", console))
        return shown;
    if (!request.ce.empty())
        return writeCeShortcut(request, exe, start.line, console);
    return 0;
}
