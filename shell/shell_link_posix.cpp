#include "shell/shell_link.h"

bool readShellLink(const std::wstring&, std::wstring&) {
    return false;
}

bool writeShellLink(const std::wstring&, const std::wstring&, const std::wstring&,
                    const std::wstring&, std::wstring& why) {
    why = L"a desktop shortcut needs Windows (run palimoorctl.exe there, or under Wine)";
    return false;
}
