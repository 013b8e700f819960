#include "shell/instance_match.h"
#include "base/text_compare.h"
#include "base/text_hash.h"
#include <cstdint>

std::wstring sectionOfTitle(const std::wstring& title) {
    return title.size() < 2 ? std::wstring() : title.substr(1, title.size() - 2);
}

bool instanceMatches(ExecMode mode, const std::wstring& pattern, const std::wstring& section) {
    switch (mode) {
    case ExecMode::CLOSEALL:
        return true;
    case ExecMode::CLOSEPREFIX:
        return section.compare(0, pattern.size(), pattern) == 0 && section.size() >= pattern.size();
    case ExecMode::CLOSEINFIX:
        return section.find(pattern) != std::wstring::npos;
    case ExecMode::CLOSEPOSTFIX:
        return endsWith(section, pattern);
    default:
        return false;
    }
}

const wchar_t* enumerationReport(ExecMode mode) {
    switch (mode) {
    case ExecMode::CLOSEALL:
        return L"起動中の全インスタンスを終了する";
    case ExecMode::CLOSEPREFIX:
        return L"指定プレフィックスの全インスタンスを終了する";
    case ExecMode::CLOSEINFIX:
        return L"指定インフィックスの全インスタンスを終了する";
    case ExecMode::CLOSEPOSTFIX:
        return L"指定ポストフィックスの全インスタンスを終了する";
    case ExecMode::RESET:
    case ExecMode::OPENRESET:
        return L"起動中インスタンスをリセットする";
    default:
        return L"";
    }
}

std::wstring startLockName(const std::wstring& section) {
    const std::wstring prefix = L"Palimoor.start.";
    constexpr size_t kReadableChars = 200;
    if (section.size() <= kReadableChars && section.find(L'\\') == std::wstring::npos)
        return prefix + section;
    const std::uint64_t hash = textHash(section);
    std::wstring name = prefix + L"#";
    for (int shift = 60; shift >= 0; shift -= 4)
        name += L"0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}
