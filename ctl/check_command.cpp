// `palimoorctl check FILE [--section NAME]... [--json]`
#include "ctl/check.h"
#include "ctl/commands.h"

namespace {

const wchar_t* const kHelp =
    L"usage: palimoorctl check FILE [--section NAME]... [--json]\n"
    L"\n"
    L"Reads FILE as palimoor.exe reads its rule file and reports every problem at once,\n"
    L"one line each: FILE:LINE: error: TEXT or FILE:LINE: warning: TEXT. Errors are what\n"
    L"palimoor.exe refuses (its own message in brackets); warnings are legal lines that\n"
    L"probably do not mean what they say.\n"
    L"\n"
    L"  --section NAME   check only this section (repeat for more); NAME is exact\n"
    L"  --json           the findings as a JSON array\n"
    L"\n"
    L"Exit code: 0 no error (warnings allowed), 1 an error, 2 an unreadable file or a\n"
    L"wrong command line.\n";

} // namespace

int checkCommand(const Arguments& arguments, const Console& console) {
    if (wantsHelp(arguments)) {
        console.print(kHelp);
        return 0;
    }
    std::wstring file;
    std::vector<std::wstring> names;
    bool json = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--json") {
            json = true;
        } else if (argument == L"--section") {
            if (++i == arguments.size())
                return usageError(console, L"--section needs a name", L"check");
            names.push_back(arguments[i]);
        } else if (argument.compare(0, 10, L"--section=") == 0) {
            names.push_back(argument.substr(10));
        } else if (argument.size() > 1 && argument[0] == L'-') {
            return usageError(console, L"unknown option \"" + argument + L"\"", L"check");
        } else if (file.empty()) {
            file = argument;
        } else {
            return usageError(console, L"one file at a time", L"check");
        }
    }
    if (file.empty())
        return usageError(console, L"which file?", L"check");

    RuleScan scan;
    if (!scanRuleFile(file, scan)) {
        console.error(L"palimoorctl check: cannot read " + file + L"\n");
        return 2;
    }
    std::vector<int> sections;
    std::vector<CheckFinding> missing;
    if (names.empty()) {
        for (size_t i = 0; i < scan.sections.size(); ++i)
            sections.push_back(static_cast<int>(i));
    }
    for (const std::wstring& name : names) {
        const int index = findSection(scan, name);
        if (index >= 0)
            sections.push_back(index);
        else
            missing.push_back({0, Severity::Error, L"section [" + name + L"] not found",
                               L"処理対象セクションが見つからない:\n" + name});
    }
    std::vector<CheckFinding> findings = checkRuleScan(scan, sections, names.empty());
    findings.insert(findings.begin(), missing.begin(), missing.end());

    console.print(json ? formatFindingsJson(file, findings)
                       : formatFindings(file, findings, console.colour));
    for (const CheckFinding& finding : findings) {
        if (finding.severity == Severity::Error)
            return 1;
    }
    return 0;
}
