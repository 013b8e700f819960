// Files on a POSIX host, for palimoorctl, by their UTF-8 names. Rule files
// come from Windows, where a backslash separates folders; here it does too,
// so that a path palimoor.exe forms (folder, backslash, file) is found.
#include "base/file_io.h"
#include "base/utf8_text.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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

bool writeFileBytes(const std::wstring& path, const std::string& bytes, std::wstring* why) {
    const std::string target = nativePath(path);
    const std::string temporary = target + ".palimoorctl-new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                   std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const int error = errno;
    written = file && std::fclose(file) == 0 && written;
    if (written && std::rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    if (why)
        *why = toWide(std::strerror(written ? errno : error));
    std::remove(temporary.c_str());
    return false;
}

bool isFolder(const std::wstring& path) {
    struct stat status;
    return stat(nativePath(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
