#include "rules/window_classes.h"
#include "base/text_compare.h"

namespace {

bool isHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// 8-4-4-4-12 hexadecimal digits, braces or not.
bool holdsGuid(const std::wstring& text) {
    const size_t groups[] = {8, 4, 4, 4, 12};
    for (size_t at = 0; at + 36 <= text.size(); ++at) {
        size_t i = at;
        bool guid = true;
        for (size_t g = 0; g < 5 && guid; ++g) {
            for (size_t k = 0; k < groups[g] && guid; ++k)
                guid = isHexDigit(text[i++]);
            if (g < 4)
                guid = guid && text[i++] == L'-';
        }
        if (guid)
            return true;
    }
    return false;
}

// Eight hexadecimal digits or more in a row, one of them a digit: an address
// or a counter (MFC's "Afx:00400000:b:...", a hash), not a name.
bool holdsLongHexRun(const std::wstring& text) {
    size_t run = 0;
    bool digit = false;
    for (wchar_t c : text) {
        if (isHexDigit(c)) {
            digit = digit || (c >= L'0' && c <= L'9');
            if (++run >= 8 && digit)
                return true;
        } else {
            run = 0;
            digit = false;
        }
    }
    return false;
}

} // namespace

bool isSharedWindowClass(const std::wstring& className) {
    // Each shared by many programs: every Chromium and Electron program; every
    // standard dialog; every Store app's frame; Java, Qt and Tk programs;
    // consoles and Windows Terminal; Firefox and Thunderbird.
    const wchar_t* const shared[] = {L"#32770",
                                     L"ApplicationFrameWindow",
                                     L"Windows.UI.Core.CoreWindow",
                                     L"SunAwtFrame",
                                     L"SunAwtDialog",
                                     L"TkTopLevel",
                                     L"ConsoleWindowClass",
                                     L"CASCADIA_HOSTING_WINDOW_CLASS",
                                     L"MozillaWindowClass",
                                     L"MozillaDialogClass"};
    for (const wchar_t* name : shared) {
        if (equalsIgnoreCase(className, name))
            return true;
    }
    // Chrome_WidgetWin_0, _1, ...; Qt5QWindowIcon, Qt6QWindowIcon, Qt5152QWindowIcon, ...
    return startsWithIgnoreCase(className, L"Chrome_WidgetWin_") ||
           (startsWithIgnoreCase(className, L"Qt") && endsWith(className, L"QWindowIcon"));
}

bool hasPerRunPart(const std::wstring& className) {
    return startsWithIgnoreCase(className, L"HwndWrapper[") ||
           startsWithIgnoreCase(className, L"WindowsForms10.") || holdsGuid(className) ||
           holdsLongHexRun(className);
}
