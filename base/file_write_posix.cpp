// Files palimoorctl writes on a POSIX host, by their UTF-8 names, a
// backslash read as a folder separator (as base/file_io_posix.cpp reads).
#include "base/file_write.h"
#include "base/utf8_text.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

bool writeFileBytes(const std::wstring& path, const std::string& bytes, std::wstring* why) {
    std::string target = toUtf8(path);
    for (char& c : target)
        c = c == '\\' ? '/' : c;
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
