#include "ctl/reading/findings.h"
#include "ctl/io/shown_text.h"

namespace {

std::wstring firstLine(const std::wstring& text) {
    return text.substr(0, text.find(L'\n'));
}

const wchar_t* severityWord(Severity severity) {
    const wchar_t* const words[] = {L"error", L"warning", L"note"}; // in Severity's order
    return words[static_cast<int>(severity)];
}

std::wstring coloured(Severity severity) {
    const wchar_t* const colours[] = {L"\x1b[1;31m", L"\x1b[1;35m", L"\x1b[1;36m"};
    return colours[static_cast<int>(severity)] + std::wstring(severityWord(severity)) + L"\x1b[0m";
}

std::wstring lineJson(int line) {
    return line > 0 ? std::to_wstring(line) : L"null";
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

std::wstring codeText(FindingCode code) {
    return L"PAL" + std::to_wstring(static_cast<int>(code));
}

std::wstring formatFindingMsvc(const std::wstring& file, const CheckFinding& finding) {
    const wchar_t* const words[] = {L"error", L"warning", L"info"}; // in Severity's order
    std::wstring out = visible(file) +
                       (finding.line > 0 ? L"(" + std::to_wstring(finding.line) + L")" : L" ") +
                       L": " + words[static_cast<int>(finding.severity)] + L" " +
                       codeText(finding.code) + L": " + finding.message;
    if (!finding.programMessage.empty())
        out += L" [" + visible(firstLine(finding.programMessage)) + L"]";
    return out + L"\n";
}

std::wstring formatVerdict(const std::wstring& file, const SectionVerdict& verdict, bool msvc) {
    const std::wstring what = L"[" + visible(verdict.name) +
                              L"] will not load: palimoor.exe shows its load-failure box and "
                              L"ends with exit code 1\n";
    if (!msvc)
        return visible(file) + L": " + what;
    return visible(file) + (verdict.line > 0 ? L"(" + std::to_wstring(verdict.line) + L")" : L" ") +
           L": error " + codeText(FindingCode::WillNotLoad) + L": " + what;
}

void writeFindingJson(JsonWriter& json, const std::wstring& file, const CheckFinding& finding) {
    json.beginObject().key(L"file").string(file).key(L"line").value(lineJson(finding.line));
    json.key(L"severity").string(severityWord(finding.severity));
    json.key(L"code").string(codeText(finding.code));
    json.key(L"message").string(finding.message).key(L"program_message");
    json.value(finding.programMessage.empty() ? L"null" : jsonString(finding.programMessage));
    json.close();
}

void writeVerdictJson(JsonWriter& json, const SectionVerdict& verdict) {
    json.beginObject().key(L"name").string(verdict.name).key(L"line").value(lineJson(verdict.line));
    json.key(L"loads").boolean(verdict.loads).close();
}
