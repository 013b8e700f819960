#include "base/shortcut_text.h"

bool parseCeShortcutText(const std::wstring& text, std::wstring& target) {
    size_t i = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9')
        ++i;
    if (i == 0 || i >= text.size() || text[i] != L'#')
        return false;
    const size_t end = text.find_first_of(L"\r\n", i + 1);
    target = text.substr(i + 1, end == std::wstring::npos ? std::wstring::npos : end - i - 1);
    return true;
}

std::wstring composeCeShortcutText(const std::wstring& target) {
    // Digits by hand: the library's number formatting would bring a whole
    // printf into palimoor.exe, which links this file too.
    std::wstring count;
    for (size_t n = target.size(); count.empty() || n > 0; n /= 10)
        count.insert(count.begin(), static_cast<wchar_t>(L'0' + n % 10));
    return count + L"#" + target;
}
