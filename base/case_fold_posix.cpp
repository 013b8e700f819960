// Outside Windows there is no system comparison to follow: the C library's
// upper case comes closest.
#include "base/case_fold.h"
#include <cwctype>

void foldCase(std::wstring& text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
}
