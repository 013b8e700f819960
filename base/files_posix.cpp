// Reading files on a POSIX host, for palimoorctl: files by their UTF-8 names.
#include "base/file_read.h"
#include "base/utf8_text.h"
#include <cstdio>

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
