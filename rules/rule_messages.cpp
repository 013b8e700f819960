#include "rules/rule_messages.h"

const wchar_t* const kUnknownKeyMessage = L"キー名称不正";
const wchar_t* const kBadValueMessage = L"キー値不正";
const wchar_t* const kNoWindowMessage = L"classとtitleが両方とも未指定です";

// Messages are sized to their text: a long path or section is never cut.
std::wstring iniFileMessage(const std::wstring& path) {
    return L"INIファイル(" + path + L")";
}

std::wstring cannotOpenMessage(const std::wstring& path) {
    return L"ファイルオープン失敗:\n" + path;
}

std::wstring sectionNotFoundMessage(const std::wstring& section) {
    return L"処理対象セクションが見つからない:\n" + section;
}

std::wstring loadFailedMessage(const std::wstring& path, const std::wstring& section) {
    return L"INIファイル読み込み失敗\nファイル(" + path + L")\nセクション(" + section + L")";
}

std::wstring keyErrorMessage(const wchar_t* prefix, const std::wstring& key,
                             const std::wstring& value) {
    return prefix + (L"\n" + key) + L"=" + value;
}
