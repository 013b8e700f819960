#include "watch/launch_text.h"
#include "base/text_compare.h"

LaunchParts splitCommandText(const std::wstring& text) {
    const size_t bar = text.find(L'|');
    if (bar != std::wstring::npos)
        return {text.substr(0, bar), text.substr(bar + 1), false};
    if (endsWith(text, L".lnk"))
        return {text, L"", true};
    return {text, L"", false};
}

LaunchParts splitShortcutTarget(const std::wstring& target) {
    if (target.empty() || target[0] != L'"')
        return {target, L"", false};
    const size_t closing = target.find(L'"', 1);
    if (closing == std::wstring::npos) // unclosed: the rest is the file, no parameters
        return {target.substr(1), L"", false};
    const size_t parameters = target.find_first_not_of(L' ', closing + 1);
    return {target.substr(1, closing - 1),
            parameters == std::wstring::npos ? L"" : target.substr(parameters), false};
}

std::wstring trimTrailingLineBreaks(const std::wstring& file) {
    const size_t last = file.find_last_not_of(L"\r\n");
    if (last == std::wstring::npos)
        return file;
    return file.substr(0, last + 1);
}
