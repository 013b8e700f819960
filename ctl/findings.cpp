#include "ctl/findings.h"
#include "ctl/text_out.h"

namespace {

std::wstring firstLine(const std::wstring& text) {
    return text.substr(0, text.find(L'\n'));
}

const wchar_t* severityWord(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return L"error";
    case Severity::Warning:
        return L"warning";
    case Severity::Note:
        break;
    }
    return L"note";
}

std::wstring coloured(Severity severity) {
    const wchar_t* const colours[] = {L"\x1b[1;31m", L"\x1b[1;35m", L"\x1b[1;36m"};
    return colours[static_cast<int>(severity)] + std::wstring(severityWord(severity)) + L"\x1b[0m";
}

std::wstring place(const std::wstring& file, int line) {
    return visible(file) + (line > 0 ? L":" + std::to_wstring(line) : L"");
}

} // namespace

std::wstring formatFinding(const std::wstring& file, const CheckFinding& finding, bool colour) {
    std::wstring out = place(file, finding.line) + L": " +
                       (colour ? coloured(finding.severity) : severityWord(finding.severity)) +
                       L": " + finding.message;
    if (!finding.programMessage.empty())
        out += L" [" + visible(firstLine(finding.programMessage)) + L"]";
    return out + L"\n";
}

std::wstring formatVerdict(const std::wstring& file, const SectionVerdict& verdict) {
    return visible(file) + L": [" + visible(verdict.name) +
           L"] will not load: palimoor.exe shows its load-failure box and ends with exit code "
           L"1\n";
}

std::wstring findingJson(const std::wstring& file, const CheckFinding& finding) {
    return L"{\"file\": " + jsonString(file) + L", \"line\": " +
           (finding.line > 0 ? std::to_wstring(finding.line) : L"null") + L", \"severity\": \"" +
           severityWord(finding.severity) + L"\", \"message\": " + jsonString(finding.message) +
           L", \"program_message\": " +
           (finding.programMessage.empty() ? L"null" : jsonString(finding.programMessage)) + L"}";
}

std::wstring verdictJson(const SectionVerdict& verdict) {
    return L"{\"name\": " + jsonString(verdict.name) + L", \"line\": " +
           (verdict.line > 0 ? std::to_wstring(verdict.line) : L"null") + L", \"loads\": " +
           (verdict.loads ? L"true" : L"false") + L"}";
}
