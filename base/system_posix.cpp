// The portable code's platform services on a POSIX host, for palimoorctl:
// files by their UTF-8 names; no boxes (nothing here shows one).
#include "base/message_box.h"
#include "base/utf8_text.h"
#include "rules/text_file.h"
#include <cstdio>

WindowHandle foregroundWindow() {
    return nullptr;
}

int showMessageBox(WindowHandle, const std::wstring& text, const std::wstring& caption, unsigned) {
    std::fprintf(stderr, "%s: %s\n", toUtf8(caption).c_str(), toUtf8(text).c_str());
    return 1;
}

bool readFileChunks(const std::wstring& path, ChunkSink sink, void* context) {
    std::FILE* file = std::fopen(toUtf8(path).c_str(), "rb");
    if (!file)
        return false;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        sink(context, chunk, got);
    std::fclose(file);
    return true;
}

// There is no ANSI code page here: bytes of a file that is not UTF-8 are read
// as Latin-1 (each byte the code point of its value).
std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    std::wstring text;
    text.reserve(size);
    for (size_t i = 0; i < size; ++i)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    return text;
}
