#include "ctl/files.h"
#include "base/utf8_text.h"
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// "a/./b/../c" as "a/c": the folders a path names, without asking the disk.
std::wstring joinNormalised(const std::wstring& path) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'/', start);
        if (end == std::wstring::npos)
            end = path.size();
        const std::wstring part = path.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::wstring joined;
    for (const std::wstring& part : parts)
        joined += L"\\" + part;
    return joined.empty() ? L"\\" : joined;
}

} // namespace

std::wstring ownProgramPath() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? programForm(toWide(std::string(buffer, static_cast<size_t>(length))))
                      : std::wstring();
}

std::wstring programForm(const std::wstring& path) {
    std::wstring absolute = path;
    for (wchar_t& c : absolute) {
        if (c == L'\\')
            c = L'/';
    }
    if (absolute.empty() || absolute[0] != L'/') {
        char buffer[4096];
        if (!getcwd(buffer, sizeof buffer))
            return std::wstring();
        absolute = toWide(buffer) + L"/" + absolute;
    }
    return joinNormalised(absolute);
}

std::wstring shownPath(const std::wstring& programFormPath) {
    std::wstring shown = programFormPath;
    for (wchar_t& c : shown) {
        if (c == L'\\')
            c = L'/';
    }
    return shown;
}

bool isFolder(const std::wstring& programFormPath) {
    struct stat status;
    return stat(toUtf8(shownPath(programFormPath)).c_str(), &status) == 0 &&
           S_ISDIR(status.st_mode);
}

bool isInFolder(const std::wstring& path, const std::wstring& folder, std::wstring& relative) {
    if (path.size() <= folder.size() + 1 || path[folder.size()] != L'\\' ||
        !(path.compare(0, folder.size(), folder) == 0))
        return false;
    relative = path.substr(folder.size() + 1);
    return true;
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes) {
    std::FILE* file = std::fopen(toUtf8(path).c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool encodeInCodePage(const std::wstring& text, unsigned codePage, std::string& bytes) {
    const std::string name = codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage);
    const iconv_t converter = iconv_open(name.c_str(), "WCHAR_T");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return false;
    char* in = reinterpret_cast<char*>(const_cast<wchar_t*>(text.data()));
    size_t inLeft = text.size() * sizeof(wchar_t);
    std::vector<char> out(text.size() * 4 + 16);
    char* at = out.data();
    size_t outLeft = out.size();
    const bool converted = iconv(converter, &in, &inLeft, &at, &outLeft) != static_cast<size_t>(-1);
    iconv_close(converter);
    bytes.assign(out.data(), out.size() - outLeft);
    return converted;
}

bool writeShellLink(const std::wstring&, const std::wstring&, const std::wstring&,
                    const std::wstring&, std::wstring& why) {
    why = L"a desktop shortcut needs Windows (run palimoorctl.exe there, or under Wine)";
    return false;
}
