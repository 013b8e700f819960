#include "ctl/io/parsed_arguments.h"
#include "ctl/io/shown_text.h"

bool ParsedArguments::has(const wchar_t* name) const {
    for (const auto& option : options) {
        if (option.first == name)
            return true;
    }
    return false;
}

std::wstring ParsedArguments::value(const wchar_t* name) const {
    const std::vector<std::wstring> all = values(name);
    return all.empty() ? std::wstring() : all.back();
}

std::vector<std::wstring> ParsedArguments::values(const wchar_t* name) const {
    std::vector<std::wstring> all;
    for (const auto& option : options) {
        if (option.first == name)
            all.push_back(option.second);
    }
    return all;
}

int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand) {
    console.error(L"palimoorctl " + std::wstring(subcommand) + L": " + visible(message) +
                  L" (see \"palimoorctl " + subcommand + L" --help\")\n");
    return 2;
}
