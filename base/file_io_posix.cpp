// Files on a POSIX host, for palimoorctl, by their UTF-8 names. Rule files
// come from Windows, where a backslash separates folders; here it does too,
// so that a path palimoor.exe forms (folder, backslash, file) is found.
#include "base/file_io.h"
#include "base/utf8_text.h"
#include <cstdio>
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

bool isFolder(const std::wstring& path) {
    struct stat status;
    return stat(nativePath(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
