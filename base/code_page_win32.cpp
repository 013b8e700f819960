#include <windows.h>
#include "base/code_page.h"

namespace {
UINT selected = CP_ACP;
} // namespace

unsigned ansiCodePage() {
    return selected == CP_ACP ? GetACP() : selected;
}

bool selectAnsiCodePage(unsigned codePage) {
    if (!IsValidCodePage(codePage))
        return false;
    selected = codePage;
    return true;
}

bool ansiCodePageReadable() {
    return true;
}

std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    if (size == 0)
        return std::wstring();
    const int count = static_cast<int>(size);
    const int length = MultiByteToWideChar(selected, 0, bytes, count, nullptr, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(selected, 0, bytes, count, &text[0], length);
    return text;
}

bool encodeAnsiCodePage(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    if (text.empty())
        return true;
    const UINT codePage = ansiCodePage();
    const DWORD flags = codePage == CP_UTF8 || codePage == CP_UTF7 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int count = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage, flags, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    bytes.resize(static_cast<size_t>(size));
    WideCharToMultiByte(codePage, flags, text.data(), count, &bytes[0], size, nullptr, nullptr);
    // A character without a place of its own comes back as another one.
    return decodeAnsiCodePage(bytes.data(), bytes.size()) == text;
}

bool isAnsiLeadByte(unsigned char byte) {
    return IsDBCSLeadByteEx(ansiCodePage(), byte) != FALSE;
}

bool ansiCodePageAsWindows() {
    return true; // Windows' own conversion
}
