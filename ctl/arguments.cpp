#include "ctl/arguments.h"
#include "ctl/io/shown_text.h"

bool readArguments(const Arguments& arguments, const OptionSpec* options, size_t count,
                   ParsedArguments& read, std::wstring& error) {
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
