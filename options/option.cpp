#include "options/option.h"
#include "base/message_box.h"
#include "base/text_compare.h"
#include <cwchar>

namespace {

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

const wchar_t* const kOptionNames[5] = {L"-execmode=", L"-showtask=", L"-showicon=", L"-debug=",
                                        L"-inifile="};

const wchar_t* execModeWord(ExecMode mode) {
    for (const Keyword<ExecMode>& entry : kExecModes) {
        if (entry.value == mode)
            return entry.word;
    }
    return L"?";
}

std::wstring unquoteValue(const std::wstring& value) {
    if (value.empty() || value[0] != L'"')
        return value;
    return value.size() < 2 ? std::wstring() : value.substr(1, value.size() - 2);
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
