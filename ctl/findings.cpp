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

void writeFindingJson(JsonWriter& json, const std::wstring& file, const CheckFinding& finding) {
    json.beginObject().key(L"file").string(file).key(L"line");
    if (finding.line > 0)
        json.number(finding.line);
    else
        json.null();
    json.key(L"severity").string(severityWord(finding.severity));
    json.key(L"message").string(finding.message).key(L"program_message");
    if (finding.programMessage.empty())
        json.null();
    else
        json.string(finding.programMessage);
    json.end();
}

void writeVerdictJson(JsonWriter& json, const SectionVerdict& verdict) {
    json.beginObject().key(L"name").string(verdict.name).key(L"line");
    if (verdict.line > 0)
        json.number(verdict.line);
    else
        json.null();
    json.key(L"loads").boolean(verdict.loads).end();
}
