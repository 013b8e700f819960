#include "ctl/io/console.h"
#include "base/utf8_text.h"
#include <windows.h>

namespace {
// A console gets wide text as it is; a pipe or a file gets UTF-8.
void write(DWORD which, const std::wstring& text) {
    HANDLE handle = GetStdHandle(which);
    if (handle == INVALID_HANDLE_VALUE || !handle)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = toUtf8(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
} // namespace

void writeStandardOutput(const std::wstring& text) {
    write(STD_OUTPUT_HANDLE, text);
}

void writeStandardError(const std::wstring& text) {
    write(STD_ERROR_HANDLE, text);
}

bool standardOutputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}
