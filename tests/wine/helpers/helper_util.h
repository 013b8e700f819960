// Small pieces the test helpers share: UTF-8 logs, JSON strings, clock.
#pragma once
#include <windows.h>
#include <cstdio>
#include <string>

inline std::string utf8(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
    return out;
}

inline std::string jsonString(const std::wstring& text) {
    std::string out = "\"";
    for (char c : utf8(text)) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                wsprintfA(escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// Milliseconds since 1970, the same clock the test scripts read.
// A moment as milliseconds since 1970 with three decimals, so that two
// processes created within one millisecond still sort in their order.
inline std::string epochMillisecondsText(const FILETIME& moment) {
    ULARGE_INTEGER ticks;
    ticks.LowPart = moment.dwLowDateTime;
    ticks.HighPart = moment.dwHighDateTime;
    const unsigned long long micro = (ticks.QuadPart - 116444736000000000ULL) / 10ULL;
    char text[32];
    snprintf(text, sizeof text, "%llu.%03llu", micro / 1000ULL, micro % 1000ULL);
    return text;
}

inline long long epochMilliseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks;
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    return static_cast<long long>((ticks.QuadPart - 116444736000000000ULL) / 10000ULL);
}

inline void appendLine(const std::wstring& path, const std::string& line) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string data = line + "\n";
    DWORD written = 0;
    WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);
}

inline std::wstring windowText(HWND window) {
    wchar_t buffer[4096] = {};
    GetWindowTextW(window, buffer, 4096);
    return buffer;
}

inline std::wstring windowClass(HWND window) {
    wchar_t buffer[512] = {};
    GetClassNameW(window, buffer, 512);
    return buffer;
}

// The value of "--name=value" among the arguments, or `fallback`.
inline std::wstring option(int argc, wchar_t** argv, const std::wstring& name,
                           const std::wstring& fallback = L"") {
    const std::wstring prefix = L"--" + name + L"=";
    for (int i = 1; i < argc; ++i) {
        if (std::wstring(argv[i]).compare(0, prefix.size(), prefix) == 0)
            return argv[i] + prefix.size();
    }
    return fallback;
}

inline bool flag(int argc, wchar_t** argv, const std::wstring& name) {
    for (int i = 1; i < argc; ++i) {
        if (L"--" + name == argv[i])
            return true;
    }
    return false;
}
