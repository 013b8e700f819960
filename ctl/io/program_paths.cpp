#include "ctl/io/program_paths.h"

bool isInFolder(const std::wstring& path, const std::wstring& folder, std::wstring& relative) {
    if (path.size() <= folder.size() + 1 || path[folder.size()] != L'\\' ||
        !samePathText(path.substr(0, folder.size()), folder))
        return false;
    relative = path.substr(folder.size() + 1);
    return true;
}
