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

std::wstring formatVerdict(const std::wstring& file, const SectionVerdict& verdict) {
    return visible(file) + L": [" + visible(verdict.name) +
           L"] will not load: palimoor.exe shows its load-failure box and ends with exit code "
           L"1\n";
}

void writeFindingJson(JsonWriter& json, const std::wstring& file, const CheckFinding& finding) {
    json.beginObject().key(L"file").string(file).key(L"line").value(lineJson(finding.line));
    json.key(L"severity").string(severityWord(finding.severity));
    json.key(L"message").string(finding.message).key(L"program_message");
    json.value(finding.programMessage.empty() ? L"null" : jsonString(finding.programMessage));
    json.close();
}

void writeVerdictJson(JsonWriter& json, const SectionVerdict& verdict) {
    json.beginObject().key(L"name").string(verdict.name).key(L"line").value(lineJson(verdict.line));
    json.key(L"loads").boolean(verdict.loads).close();
}
