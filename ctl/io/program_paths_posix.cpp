#include "ctl/io/program_paths.h"
#include "base/utf8_text.h"
#include <cstdlib>
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
    std::wstring absolute = shownPath(path);
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

std::wstring desktopFolder() {
    return std::wstring();
}

std::wstring temporaryFile(const std::wstring& name) {
    const char* folder = std::getenv("TMPDIR");
    return programForm(toWide(folder && *folder ? folder : "/tmp") + L"/" + name);
}

bool samePathText(const std::wstring& a, const std::wstring& b) {
    return a == b;
}
