#include "options/command_line.h"
#include "base/path_text.h"
#include "base/text_compare.h"
#include "options/option.h"
#include "options/param_file.h"
#include "rules/ini_reader.h"

namespace {
const std::wstring kSectionOption = L"-section=";
const std::wstring kParamFileOption = L"-paramfile=";
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

std::vector<std::wstring> optionTokens(const std::wstring& commandLine, std::wstring& section) {
    std::wstring line = commandLine;
    const size_t sectionAt = line.find(kSectionOption);
    if (sectionAt != std::wstring::npos) {
        section = line.substr(sectionAt + kSectionOption.size());
        line.erase(sectionAt + kSectionOption.size());
    }
    return splitTokens(line, L" \t");
}

bool parseOptions(Settings& settings, const std::wstring& programName,
                  const std::wstring& modulePath, const std::wstring& commandLine) {
    const PathParts module = splitModulePath(modulePath);
    const std::vector<std::wstring> tokens = optionTokens(commandLine, settings.section);

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

OptionReading readOptions(const Settings& settings, const std::wstring& modulePath,
                          const std::wstring& commandLine, bool accepted) {
    OptionReading reading;
    std::wstring section;
    const std::vector<std::wstring> tokens = optionTokens(commandLine, section);
    reading.sectionGiven = commandLine.find(kSectionOption) != std::wstring::npos;
    const size_t options = tokens.size() - (reading.sectionGiven ? 1 : 0);
    for (size_t i = 0; i < options; ++i) {
        const std::wstring token = stripQuotes(tokens[i]);
        reading.tokens.push_back(
            {token, findOption(token) || startsWithIgnoreCase(token, kParamFileOption)});
        Settings scratch; // the refused token is the last one parseOptions read
        if (!accepted && findOption(token) && !parseOption(scratch, token))
            break;
    }
    const PathParts module = splitModulePath(modulePath);
    reading.paramFile = paramFilePath(module.directory, module.fileName, settings.paramfile);
    reading.ruleFile = iniFilePath(modulePath, settings.inifile);
    return reading;
}
