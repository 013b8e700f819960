#include "ctl/io/code_page_choice.h"
#include "base/code_page.h"
#include "ctl/io/shown_text.h"

bool chooseCodePage(const std::wstring& value, std::wstring& error) {
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
        error = cannotConvertText(static_cast<unsigned>(codePage));
        return false;
    }
    return true;
}

std::wstring cannotConvertText(unsigned codePage) {
    return L"this system cannot convert code page " + std::to_wstring(codePage) +
           L" (--codepage N for another)";
}
