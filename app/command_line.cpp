#include "app/command_line.h"
#include "base/message_box.h"
#include "app/param_file.h"
#include "base/path_text.h"
#include "base/text_compare.h"
#include <cwchar>

namespace {

const std::wstring kSectionOption = L"-section=";
const std::wstring kParamFileOption = L"-paramfile=";

// A value written in double quotes loses its first and last character.
std::wstring unquoteValue(const std::wstring& value) {
    if (value.empty() || value[0] != L'"')
        return value;
    return value.size() < 2 ? std::wstring() : value.substr(1, value.size() - 2);
}

const Keyword<ExecMode> kExecModes[] = {
    {L"TOGGLE", ExecMode::TOGGLE},
    {L"OPEN", ExecMode::OPEN},
    {L"CLOSE", ExecMode::CLOSE},
    {L"CLOSEALL", ExecMode::CLOSEALL},
    {L"CLOSEPREFIX", ExecMode::CLOSEPREFIX},
    {L"CLOSEINFIX", ExecMode::CLOSEINFIX},
    {L"CLOSEPOSTFIX", ExecMode::CLOSEPOSTFIX},
    {L"RESET", ExecMode::RESET},
    {L"OPENRESET", ExecMode::OPENRESET},
    {L"RESETOPEN", ExecMode::OPENRESET},
};

const Keyword<bool> kFlags[] = {{L"TRUE", true}, {L"FALSE", false}};

} // namespace

std::vector<std::wstring> splitTokens(const std::wstring& text, const std::wstring& separators) {
    std::vector<std::wstring> tokens;
    size_t start = text.find_first_not_of(separators);
    if (start == std::wstring::npos)
        return tokens;
    std::wstring work = text.substr(start);
    size_t searchFrom = 0;
    for (;;) {
        const size_t quote = work.find(L'"', searchFrom);
        const size_t separator = work.find_first_of(separators, searchFrom);
        if (quote != std::wstring::npos && (separator == std::wstring::npos || quote < separator)) {
            const size_t closing = work.find(L'"', quote + 1);
            if (closing == std::wstring::npos) {
                tokens.push_back(work);
                return tokens;
            }
            searchFrom = closing + 1;
        } else if (separator != std::wstring::npos) {
            tokens.push_back(work.substr(0, separator));
            const size_t next = work.find_first_not_of(separators, separator);
            if (next == std::wstring::npos)
                return tokens;
            work.erase(0, next);
            searchFrom = 0;
        } else {
            tokens.push_back(work);
            return tokens;
        }
    }
}

std::wstring stripQuotes(const std::wstring& token) {
    if (token.empty() || token[0] != L'"')
        return token;
    std::wstring stripped = token.substr(1);
    if (!stripped.empty() && stripped.back() == L'"')
        stripped.pop_back();
    return stripped;
}

bool parseOption(Settings& settings, const std::wstring& token) {
    auto valueAfter = [&](const wchar_t* name) { return token.substr(std::wcslen(name)); };
    bool accepted = true;
    if (startsWithIgnoreCase(token, L"-execmode=")) {
        accepted = lookupKeyword(valueAfter(L"-execmode="), kExecModes, settings.execmode);
    } else if (startsWithIgnoreCase(token, L"-showtask=")) {
        accepted = lookupKeyword(valueAfter(L"-showtask="), kFlags, settings.showtask);
    } else if (startsWithIgnoreCase(token, L"-showicon=")) {
        accepted = lookupKeyword(valueAfter(L"-showicon="), kFlags, settings.showicon);
    } else if (startsWithIgnoreCase(token, L"-debug=")) {
        accepted = lookupKeyword(valueAfter(L"-debug="), kFlags, settings.debug);
    } else if (startsWithIgnoreCase(token, L"-inifile=")) {
        settings.inifile = unquoteValue(valueAfter(L"-inifile="));
    }
    if (!accepted)
        reportBadOption(settings, token);
    return accepted;
}

void reportBadOption(const Settings& settings, const std::wstring& token) {
    showMessageBox(nullptr, L" パラメータ不正\n" + token, settings.appName, kBoxPlain);
}

bool parseOptions(Settings& settings, const std::wstring& programName,
                  const std::wstring& modulePath, const std::wstring& commandLine) {
    const PathParts module = splitModulePath(modulePath);

    std::wstring line = commandLine;
    const size_t sectionAt = line.find(kSectionOption);
    if (sectionAt != std::wstring::npos) {
        settings.section = line.substr(sectionAt + kSectionOption.size());
        line.erase(sectionAt + kSectionOption.size());
    }
    const std::vector<std::wstring> tokens = splitTokens(line, L" \t");

    for (const std::wstring& raw : tokens) {
        const std::wstring token = stripQuotes(raw);
        if (startsWithIgnoreCase(token, kParamFileOption)) {
            settings.paramfile = unquoteValue(token.substr(kParamFileOption.size()));
            break;
        }
    }

    readParamFile(settings, paramFilePath(module.directory, module.fileName, settings.paramfile));

    for (const std::wstring& raw : tokens) {
        if (!parseOption(settings, stripQuotes(raw)))
            return false;
    }
    settings.appName = programName;
    settings.windowTitle = L"[" + settings.section + L"]";
    return true;
}
