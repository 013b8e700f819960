// Stands in for a launched program: appends its start and end, with a
// millisecond time stamp and its command line, to launches.log beside itself.
// The start is stamped with the process's creation, not with the moment it got
// to write: two programs launched a moment apart may write in either order,
// but they were created in the order they were launched.
// An argument --linger=MS keeps it running that long.
#include "helper_util.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring log = self;
    log = log.substr(0, log.rfind(L'\\') + 1) + L"launches.log";
    const std::wstring commandLine = GetCommandLineW();
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    appendLine(log, epochMillisecondsText(created) + "\tstart\t" + utf8(commandLine));
    const size_t linger = commandLine.find(L"--linger=");
    if (linger != std::wstring::npos)
        Sleep(static_cast<DWORD>(_wtoi(commandLine.c_str() + linger + 9)));
    appendLine(log, std::to_string(epochMilliseconds()) + "\tend\t" + utf8(commandLine));
    return 0;
}
