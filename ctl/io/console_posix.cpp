#include "ctl/io/console.h"
#include "base/utf8_text.h"
#include <cstdio>
#include <unistd.h>

void writeStandardOutput(const std::wstring& text) {
    const std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

void writeStandardError(const std::wstring& text) {
    const std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

bool standardOutputIsTerminal() {
    return isatty(1) != 0;
}
