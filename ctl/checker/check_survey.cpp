#include "ctl/checker/check_survey.h"
#include "base/code_page.h"
#include "base/text_hash.h"
#include "ctl/io/shown_text.h"
#include "ctl/reading/section_names.h"
#include "rules/ini_reader.h"
#include "rules/rule_messages.h"
#include <algorithm>
#include <climits>

namespace {

std::wstring byteText(unsigned char byte) {
    const wchar_t* const hex = L"0123456789ABCDEF";
    return std::wstring(L"0x") + hex[byte >> 4] + hex[byte & 15];
}

void add(std::vector<CheckFinding>& out, int line, Severity severity, FindingCode code,
         const std::wstring& message, const std::wstring& programMessage = L"") {
    out.push_back({line, severity, code, message, asBoxShowsIt(programMessage)});
}

void encodingFindings(const Survey& survey, std::vector<CheckFinding>& out) {
    const auto warning = [&](int line, FindingCode code, const std::wstring& message) {
        add(out, line, Severity::Warning, code, message);
    };
    const std::wstring codePage = std::to_wstring(ansiCodePage());
    const TextFileInfo& info = survey.info;
    if (info.encoding == TextEncoding::Ansi) {
        out.push_back({0, Severity::Note, FindingCode::CodePage,
                       L"no byte-order mark and not UTF-8: read in code page " + codePage +
                           L", as palimoor.exe reads it where that is the ANSI code page "
                           L"(--codepage N for another)" +
                           (ansiCodePageAsWindows()
                                ? L""
                                : L"; this system's converter reads it, and only 932 and 1252 are "
                                  L"held to what Windows reads byte for byte"),
                       L""});
        if (info.looksLikeUtf8())
            warning(info.firstMalformedLine, FindingCode::NotUtf8,
                    L"this line is not valid UTF-8, so palimoor.exe reads the whole file in "
                    L"code page " +
                        codePage + L" though the rest looks like UTF-8; save it as UTF-8");
    } else if (info.encoding == TextEncoding::Utf8Marked && info.firstMalformedLine > 0) {
        warning(info.firstMalformedLine, FindingCode::MalformedUtf8,
                L"bytes here are not UTF-8; palimoor.exe reads each as U+FFFD");
    }
    const std::vector<SwallowedByte>& swallowed = survey.swallowed.lines;
    for (const SwallowedByte& s : swallowed) {
        const bool last = &s == &swallowed.back() && survey.swallowed.more > 0;
        warning(s.line, FindingCode::LeadByteTakes,
                L"in code page " + codePage + L" the byte " + byteText(s.lead) +
                    L" begins a double-byte character and takes the \"" +
                    std::wstring(1, static_cast<wchar_t>(s.taken)) +
                    L"\" after it, so this line is " +
                    (s.taken == ']' ? L"no section header" : L"no key line") +
                    L"; if the file was written in another code page, give "
                    L"--codepage N (1252 for Western European Windows)" +
                    (last ? L" (and " + std::to_wstring(survey.swallowed.more) +
                                L" more lines after it are so)"
                          : L""));
    }
}

} // namespace

void SwallowedBytes::look(const char* bytes, size_t size, int number) {
    if (size > 0 && bytes[size - 1] == '\r')
        --size; // a CR LF line end: the program reads the line without it
    if (size == 0)
        return;
    bool freeEquals = false, takenEquals = false, takenClose = false;
    unsigned char lastLead = 0;
    for (size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (isAnsiLeadByte(byte) && i + 1 < size && bytes[i + 1] != '\0') {
            const char next = bytes[++i];
            if (next == '=' && !takenEquals)
                lastLead = byte, takenEquals = true;
            if (next == ']' && i + 1 == size)
                lastLead = byte, takenClose = true;
        } else if (bytes[i] == '=') {
            freeEquals = true;
        }
    }
    char taken = 0;
    if (takenClose && bytes[0] == '[')
        taken = ']';
    else if (takenEquals && !freeEquals && bytes[0] != '[' && bytes[0] != '#')
        taken = '=';
    if (taken && lines.size() < kMostNamed)
        lines.push_back({number, lastLead, taken});
    else if (taken)
        ++more;
}

int Survey::lastHeaderLine(std::uint64_t hash) const {
    const auto after =
        std::upper_bound(headers.begin(), headers.end(), std::make_pair(hash, INT_MAX));
    return after == headers.begin() || (after - 1)->first != hash ? 0 : (after - 1)->second;
}

bool Survey::read(const std::wstring& path, const std::vector<std::wstring>& asked) {
    found.assign(asked.size(), false);
    for (const std::wstring& name : asked)
        nearest.emplace_back(name);
    const bool readable = forEachTextLine(
        path,
        [&](const std::wstring& line, int number) {
            lines = number;
            if (line.find(L'\r') != std::wstring::npos && linesWithCr++ == 0)
                firstLineWithCr = number;
            if (!isSectionHeader(line))
                return;
            headers.emplace_back(textHash(line), number);
            const std::wstring name = line.substr(1, line.size() - 2);
            for (size_t i = 0; i < asked.size(); ++i) {
                found[i] = found[i] || name == asked[i];
                nearest[i].offer(name);
            }
        },
        &info);
    std::sort(headers.begin(), headers.end());
    if (readable && info.encoding == TextEncoding::Ansi && ansiCodePageReadable())
        readRawLines(
            path,
            [](void* context, const char* bytes, size_t size, int number) {
                static_cast<SwallowedBytes*>(context)->look(bytes, size, number);
            },
            &swallowed, &info);
    return readable;
}

std::vector<CheckFinding> wholeFileFindings(const Survey& survey,
                                            const std::vector<std::wstring>& asked) {
    std::vector<CheckFinding> out;
    const auto warning = [&](int line, FindingCode code, const std::wstring& message) {
        add(out, line, Severity::Warning, code, message);
    };
    const auto error = [&](int line, FindingCode code, const std::wstring& message,
                           const std::wstring& program) {
        add(out, line, Severity::Error, code, message, program);
    };
    encodingFindings(survey, out);
    const bool wholeFile = asked.empty();
    const bool crOnly = survey.lines == 1 && survey.linesWithCr == 1;
    if (crOnly) {
        error(0, FindingCode::CrOnlyLineEnds,
              L"this file ends lines with CR only; palimoor.exe splits lines at LF, so it "
              L"reads the whole file as one line and can load no section of it",
              L"");
    } else if (survey.linesWithCr > 0) {
        std::wstring message = L"a carriage return that is no part of a CR LF line end "
                               L"(CR CR LF?) stays part of the line: palimoor.exe splits "
                               L"lines at LF";
        if (survey.linesWithCr > 1)
            message += L"; " + std::to_wstring(survey.linesWithCr - 1) +
                       (survey.linesWithCr == 2 ? L" more line has" : L" more lines have") +
                       L" one";
        warning(survey.firstLineWithCr, FindingCode::StrayCr, message);
    }
    if (wholeFile && survey.headers.empty() && survey.lines > 0 && !crOnly)
        warning(0, FindingCode::NoHeader,
                L"no section header in this file: palimoor.exe finds no rule in it");
    for (size_t i = 0; i < asked.size(); ++i) {
        if (survey.found[i])
            continue;
        std::wstring message = L"section [" + visible(asked[i]) + L"]" + L" not found";
        if (!survey.nearest[i].none())
            message += L"; did you mean " + survey.nearest[i].describe() + L"?";
        error(0, FindingCode::SectionNotFound, message, sectionNotFoundMessage(asked[i]));
    }
    return out;
}
