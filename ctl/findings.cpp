#include "ctl/findings.h"
#include "ctl/text_out.h"

namespace {

std::wstring firstLine(const std::wstring& text) {
    return text.substr(0, text.find(L'\n'));
}

std::wstring severityWord(Severity severity, bool colour) {
    const std::wstring word = severity == Severity::Error ? L"error" : L"warning";
    if (!colour)
        return word;
    return (severity == Severity::Error ? L"\x1b[1;31m" : L"\x1b[1;35m") + word + L"\x1b[0m";
}

} // namespace

std::wstring formatFindings(const std::wstring& file, const std::vector<CheckFinding>& findings,
                            bool colour) {
    std::wstring out;
    for (const CheckFinding& finding : findings) {
        out += file;
        if (finding.line > 0)
            out += L":" + std::to_wstring(finding.line);
        out += L": " + severityWord(finding.severity, colour) + L": " + finding.message;
        if (!finding.programMessage.empty())
            out += L" [" + firstLine(finding.programMessage) + L"]";
        out += L"\n";
    }
    return out;
}

std::wstring formatFindingsJson(const std::wstring& file,
                                const std::vector<CheckFinding>& findings) {
    std::wstring out = L"[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const CheckFinding& finding = findings[i];
        out += i == 0 ? L"\n  " : L",\n  ";
        out +=
            L"{\"file\": " + jsonString(file) + L", \"line\": " +
            (finding.line > 0 ? std::to_wstring(finding.line) : L"null") + L", \"severity\": \"" +
            (finding.severity == Severity::Error ? L"error" : L"warning") + L"\", \"message\": " +
            jsonString(finding.message) + L", \"program_message\": " +
            (finding.programMessage.empty() ? L"null" : jsonString(finding.programMessage)) + L"}";
    }
    return out + (findings.empty() ? L"]\n" : L"\n]\n");
}
