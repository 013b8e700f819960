#include "shell/history_record.h"

// Tabs separate the fields; a field's own tab, line break and backslash are
// written as \t, \n, \r and \\.
void addHistoryField(std::wstring& line, const wchar_t* text) {
    line += L'\t';
    for (; *text; ++text) {
        const wchar_t c = *text;
        const wchar_t* const escapes = L"\\\\\tt\nn\rr";
        std::size_t i = 0;
        while (escapes[i] && escapes[i] != c)
            i += 2;
        if (escapes[i]) {
            line += L'\\';
            line += escapes[i + 1];
        } else {
            line += c;
        }
    }
}

// Digits without the library's formatting, which palimoor.exe does not carry.
void addHistoryNumber(std::wstring& line, std::uint32_t number) {
    wchar_t digits[12];
    wchar_t* at = digits + 11;
    *at = L'\0';
    do {
        *--at = static_cast<wchar_t>(L'0' + number % 10);
        number /= 10;
    } while (number != 0);
    line += L'\t';
    line += at;
}
