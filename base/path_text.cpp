#include "base/path_text.h"

PathParts splitModulePath(const std::wstring& modulePath) {
    const size_t slash = modulePath.rfind(L'\\');
    if (slash == std::wstring::npos)
        return {L"", modulePath};
    return {modulePath.substr(0, slash), modulePath.substr(slash + 1)};
}

std::wstring baseNameOf(const std::wstring& fileName) {
    const size_t dot = fileName.rfind(L'.');
    return dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
}
