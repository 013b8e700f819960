#include "ctl/arguments.h"
#include "ctl/text_out.h"

bool wantsHelp(const Arguments& arguments) {
    for (const std::wstring& argument : arguments) {
        if (argument == L"--help" || argument == L"-h")
            return true;
    }
    return false;
}

int usageError(const Console& console, const std::wstring& message, const wchar_t* subcommand) {
    console.error(L"palimoorctl " + std::wstring(subcommand) + L": " + visible(message) +
                  L" (see \"palimoorctl " + subcommand + L" --help\")\n");
    return 2;
}

bool optionValue(const Arguments& arguments, size_t& i, const std::wstring& name,
                 std::wstring& value, bool& missing) {
    const std::wstring& argument = arguments[i];
    if (argument.compare(0, name.size() + 1, name + L"=") == 0) {
        value = argument.substr(name.size() + 1);
        return true;
    }
    if (argument != name)
        return false;
    missing = i + 1 == arguments.size();
    if (!missing)
        value = arguments[++i];
    return true;
}
