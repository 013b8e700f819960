// Reading files on a POSIX host, for palimoorctl: files by their UTF-8 names.
// Rule files come from Windows, where a backslash separates folders; here it
// does too, so that a path palimoor.exe forms (folder, backslash, file) is
// found.
#include "base/file_read.h"
#include "base/utf8_text.h"
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <string>
#include <sys/stat.h>

namespace {

std::string nativePath(const std::wstring& path) {
    std::string name = toUtf8(path);
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    return name;
}

// The handheld's own code page: Palimoor's home is a Japanese Pocket PC.
unsigned selected = 932;
iconv_t converter = reinterpret_cast<iconv_t>(-1);

std::string iconvName(unsigned codePage) {
    return codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage);
}

} // namespace

bool readFileChunks(const std::wstring& path, ChunkSink sink, void* context) {
    std::FILE* file = std::fopen(nativePath(path).c_str(), "rb");
    if (!file)
        return false;
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || S_ISDIR(status.st_mode)) {
        std::fclose(file); // Windows opens no folder as a file
        return false;
    }
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        sink(context, chunk, got);
    std::fclose(file);
    return true;
}

// The system's converter, as Windows converts: a byte it cannot read becomes
// U+FFFD and the rest is read on.
std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    std::wstring text;
    if (converter == reinterpret_cast<iconv_t>(-1) && !selectAnsiCodePage(selected))
        return text;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes);
    size_t inLeft = size;
    wchar_t buffer[256];
    while (inLeft > 0) {
        char* out = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        text.append(buffer, (sizeof buffer - outLeft) / sizeof(wchar_t));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            text.push_back(L'\uFFFD');
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return text;
}

unsigned ansiCodePage() {
    return selected;
}

bool selectAnsiCodePage(unsigned codePage) {
    const iconv_t opened = iconv_open("WCHAR_T", iconvName(codePage).c_str());
    if (opened == reinterpret_cast<iconv_t>(-1))
        return false;
    if (converter != reinterpret_cast<iconv_t>(-1))
        iconv_close(converter);
    converter = opened;
    selected = codePage;
    return true;
}
