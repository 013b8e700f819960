#include <windows.h>
#include "base/case_fold.h"

void foldCase(std::wstring& text) {
    if (!text.empty())
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
}
