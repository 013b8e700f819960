#include "ctl/arguments.h"
#include "base/code_page.h"
#include "ctl/text_out.h"

bool ReadArguments::has(const wchar_t* name) const {
    for (const auto& option : options) {
        if (option.first == name)
            return true;
    }
    return false;
}

std::wstring ReadArguments::value(const wchar_t* name) const {
    const std::vector<std::wstring> all = values(name);
    return all.empty() ? std::wstring() : all.back();
}

std::vector<std::wstring> ReadArguments::values(const wchar_t* name) const {
    std::vector<std::wstring> all;
    for (const auto& option : options) {
        if (option.first == name)
            all.push_back(option.second);
    }
    return all;
}

bool readArguments(const Arguments& arguments, const OptionSpec* options, size_t count,
                   ReadArguments& read, std::wstring& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--") { // the rest are names, even with a leading "-"
            read.positional.insert(read.positional.end(), arguments.begin() + i + 1,
                                   arguments.end());
            return true;
        }
        if (argument.size() < 2 || argument[0] != L'-') {
            read.positional.push_back(argument);
            continue;
        }
        const size_t equals = argument.find(L'=');
        const std::wstring name = argument.substr(0, equals);
        const OptionSpec* option = nullptr;
        for (size_t k = 0; k < count; ++k) {
            if (name == options[k].name)
                option = &options[k];
        }
        if (!option) {
            error = L"unknown option " + quoted(argument);
            return false;
        }
        if (!option->value && equals != std::wstring::npos) {
            error = name + L" takes no value";
            return false;
        }
        if (option->value && equals == std::wstring::npos && i + 1 == arguments.size()) {
            error = name + L" needs a value";
            return false;
        }
        std::wstring value;
        if (option->value)
            value = equals != std::wstring::npos ? argument.substr(equals + 1) : arguments[++i];
        read.options.emplace_back(name, value);
    }
    return true;
}

bool applyCodePage(const std::wstring& value, std::wstring& error) {
    // Windows numbers its code pages below 65536.
    unsigned long codePage = 0;
    bool number = !value.empty() && value.size() <= 5;
    for (wchar_t c : value) {
        number = number && c >= L'0' && c <= L'9';
        codePage = codePage * 10 + static_cast<unsigned long>(c - L'0');
    }
    if (!number || codePage == 0 || codePage > 65535) {
        error = L"--codepage takes a code page's number, such as 932 or 1252, not " + quoted(value);
        return false;
    }
    if (!selectAnsiCodePage(static_cast<unsigned>(codePage))) {
        error = L"this system cannot convert code page " + value;
        return false;
    }
    return true;
}

int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand) {
    console.error(L"palimoorctl " + std::wstring(subcommand) + L": " + visible(message) +
                  L" (see \"palimoorctl " + subcommand + L" --help\")\n");
    return 2;
}
