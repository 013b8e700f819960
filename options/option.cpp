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

const OptionName kOptions[] = {
    {L"-execmode=", OptionField::ExecMode}, {L"-showtask=", OptionField::ShowTask},
    {L"-showicon=", OptionField::ShowIcon}, {L"-debug=", OptionField::Debug},
    {L"-inifile=", OptionField::IniFile},
};

} // namespace

const OptionName* findOption(const std::wstring& token) {
    for (const OptionName& option : kOptions) {
        if (startsWithIgnoreCase(token, option.name))
            return &option;
    }
    return nullptr;
}

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
    const OptionName* option = findOption(token);
    if (!option)
        return true;
    const std::wstring value = token.substr(std::wcslen(option->name));
    bool accepted = true;
    switch (option->field) {
    case OptionField::ExecMode:
        accepted = lookupKeyword(value, kExecModes, settings.execmode);
        break;
    case OptionField::ShowTask:
        accepted = lookupKeyword(value, kFlags, settings.showtask);
        break;
    case OptionField::ShowIcon:
        accepted = lookupKeyword(value, kFlags, settings.showicon);
        break;
    case OptionField::Debug:
        accepted = lookupKeyword(value, kFlags, settings.debug);
        break;
    case OptionField::IniFile:
        settings.inifile = unquoteValue(value);
        break;
    }
    if (!accepted)
        reportBadOption(settings, token);
    return accepted;
}

void reportBadOption(const Settings& settings, const std::wstring& token) {
    showMessageBox(nullptr, L" パラメータ不正\n" + token, settings.appName, kBoxPlain);
}
