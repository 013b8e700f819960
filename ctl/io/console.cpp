#include "ctl/io/console.h"

void Console::print(const std::wstring& text) const {
    if (capturedOut)
        *capturedOut += text;
    else
        writeStandardOutput(text);
}

void Console::error(const std::wstring& text) const {
    if (capturedErr)
        *capturedErr += text;
    else
        writeStandardError(text);
}
