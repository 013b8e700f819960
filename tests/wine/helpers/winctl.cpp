// Looks at and steers windows for the test scripts.
//   winctl list [CLASS]                          one JSON line per top-level window, or per
//                                                descendant of the window of class CLASS
//   winctl post CLASS TITLE MSG [WPARAM [LPARAM]]  "-" for no class or title; 3 if not found
//   winctl foreground CLASS TITLE                brings the window to the front
//   winctl getfg                                 class and title of the foreground window
//   winctl setclip TEXT | clearclip | setclipfile UTF8FILE
//   winctl mklnk LINK TARGET [ARGUMENTS]         a desktop shell link
//   winctl waitgone CLASS TITLE MS               waits (1 ms steps) until the window is gone;
//                                                prints the time in ms since 1970; 3 on timeout
//   winctl run EXE                               runs EXE with the raw command line from
//                                                PALIMOOR_RAW_CMDLINE; exits with its code
//   winctl delicon CLASS TITLE ID                removes the window's notification icon, as a
//                                                restarting shell loses it
//   winctl postnamed CLASS TITLE NAME            posts the registered message NAME
//   winctl open FILE                             starts FILE through the shell, as a double
//                                                click does; waits for what it started and
//                                                exits with its code (255 when nothing started)
//   winctl serve                                 the commands above, one per line on standard
//                                                input (see serve())
//   winctl atonce COMMAND ARGS...               prints "ready", then does COMMAND the moment a
//                                                line comes on standard input
//   winctl console COMMANDLINE                   starts it in a console of its own, with its
//                                                window, as a user's terminal; prints its pid
//   winctl enter PID                             presses Enter in the console of process PID
#include "helper_util.h"
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <cstdio>
#include <vector>

namespace {

void print(const std::string& line) {
    const std::string data = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), data.data(), static_cast<DWORD>(data.size()),
              &written, nullptr);
}

BOOL CALLBACK listWindow(HWND window, LPARAM) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    print("{\"hwnd\":" + std::to_string(reinterpret_cast<uintptr_t>(window)) + ",\"class\":" +
          jsonString(windowClass(window)) + ",\"title\":" + jsonString(windowText(window)) +
          ",\"visible\":" + (IsWindowVisible(window) ? "true" : "false") +
          ",\"iconic\":" + (IsIconic(window) ? "true" : "false") +
          ",\"zoomed\":" + (IsZoomed(window) ? "true" : "false") + ",\"topmost\":" +
          (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST ? "true" : "false") +
          ",\"pid\":" + std::to_string(pid) + "}");
    return TRUE;
}

const wchar_t* orNull(const wchar_t* text) {
    return lstrcmpW(text, L"-") == 0 ? nullptr : text;
}

int setClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return 2;
    EmptyClipboard();
    if (!text.empty()) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
    return 0;
}

int makeLink(const wchar_t* link, const wchar_t* target, const wchar_t* arguments) {
    CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return 2;
    shellLink->SetPath(target);
    shellLink->SetArguments(arguments);
    int result = 2;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        result = SUCCEEDED(file->Save(link, TRUE)) ? 0 : 2;
        file->Release();
    }
    shellLink->Release();
    CoUninitialize();
    return result;
}

int run(const wchar_t* exe) {
    wchar_t raw[32768] = {};
    GetEnvironmentVariableW(L"PALIMOOR_RAW_CMDLINE", raw, 32768);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
    if (raw[0])
        commandLine += L" " + std::wstring(raw);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        fwprintf(stderr, L"winctl run: CreateProcess failed, error %lu\n", GetLastError());
        return 255;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 255;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

int perform(int argc, wchar_t** argv);

// One line from standard input, as UTF-8; false at its end.
bool readLine(std::wstring& line) {
    std::string bytes;
    char c = 0;
    DWORD read = 0;
    bool any = false;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &read, nullptr) && read == 1) {
        any = true;
        if (c == '\n')
            break;
        bytes += c;
    }
    line.assign(bytes.size(), L'\0');
    line.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), &line[0],
                                                        static_cast<int>(line.size()))));
    return any;
}

// Commands one per line, their arguments apart by tabs; after each, its exit
// code on a line of its own behind a record separator. A test asks hundreds
// of questions, and a program's start costs Wine a good part of a second.
int serve() {
    std::wstring line;
    while (readLine(line)) {
        std::vector<std::wstring> words{L"winctl"};
        size_t start = 0;
        for (size_t tab; (tab = line.find(L'\t', start)) != std::wstring::npos; start = tab + 1)
            words.push_back(line.substr(start, tab - start));
        words.push_back(line.substr(start));
        std::vector<wchar_t*> argv;
        for (std::wstring& word : words)
            argv.push_back(&word[0]);
        const int code = words[1] == L"serve" || words[1] == L"atonce"
                             ? 64
                             : perform(static_cast<int>(argv.size()), argv.data());
        print("\x1e" + std::to_string(code));
    }
    return 0;
}

int perform(int argc, wchar_t** argv) {
    if (argc < 2)
        return 64;
    const std::wstring command = argv[1];
    if (command == L"serve")
        return serve();
    if (command == L"atonce" && argc >= 3) {
        // Started and ready beforehand, it acts the moment a line comes, with
        // none of a program's start-up between the cue and the act.
        print("ready");
        std::wstring cue;
        readLine(cue);
        return perform(argc - 1, argv + 1);
    }
    if (command == L"list" && argc >= 3) {
        HWND parent = FindWindowW(argv[2], nullptr);
        if (!parent)
            return 3;
        EnumChildWindows(parent, listWindow, 0);
        return 0;
    }
    if (command == L"list") {
        EnumWindows(listWindow, 0);
        return 0;
    }
    if (command == L"post" && argc >= 5) {
        HWND window = FindWindowW(orNull(argv[2]), orNull(argv[3]));
        if (!window)
            return 3;
        const WPARAM wParam = argc > 5 ? static_cast<WPARAM>(_wtoi(argv[5])) : 0;
        const LPARAM lParam = argc > 6 ? static_cast<LPARAM>(_wtoi(argv[6])) : 0;
        return PostMessageW(window, static_cast<UINT>(_wtoi(argv[4])), wParam, lParam) ? 0 : 2;
    }
    if (command == L"foreground" && argc >= 4) {
        HWND window = FindWindowW(orNull(argv[2]), orNull(argv[3]));
        if (!window)
            return 3;
        for (int attempt = 0; attempt < 50 && GetForegroundWindow() != window; ++attempt) {
            SetForegroundWindow(window);
            Sleep(20);
        }
        return GetForegroundWindow() == window ? 0 : 2;
    }
    if (command == L"getfg") {
        HWND window = GetForegroundWindow();
        print("{\"class\":" + jsonString(window ? windowClass(window) : L"") +
              ",\"title\":" + jsonString(window ? windowText(window) : L"") + "}");
        return 0;
    }
    if (command == L"setclip" && argc >= 3)
        return setClipboard(argv[2]);
    if (command == L"setclipfile" && argc >= 3) {
        std::string bytes;
        HANDLE file =
            CreateFileW(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 2;
        char chunk[65536];
        DWORD got = 0;
        while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
            bytes.append(chunk, got);
        CloseHandle(file);
        std::wstring text(bytes.size(), L'\0');
        text.resize(static_cast<size_t>(
            MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                                static_cast<int>(text.size()))));
        return setClipboard(text);
    }
    if (command == L"clearclip")
        return setClipboard(L"");
    if (command == L"mklnk" && argc >= 4)
        return makeLink(argv[2], argv[3], argc > 4 ? argv[4] : L"");
    if (command == L"waitgone" && argc >= 5) {
        const long long deadline = epochMilliseconds() + _wtoi(argv[4]);
        while (FindWindowW(orNull(argv[2]), orNull(argv[3]))) {
            if (epochMilliseconds() > deadline)
                return 3;
            Sleep(1);
        }
        print(std::to_string(epochMilliseconds()));
        return 0;
    }
    if (command == L"run" && argc >= 3)
        return run(argv[2]);
    if (command == L"console" && argc >= 3) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::wstring commandLine = argv[2];
        if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                            nullptr, nullptr, &startup, &process))
            return 2;
        print(std::to_string(process.dwProcessId));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return 0;
    }
    if (command == L"enter" && argc >= 3) {
        FreeConsole();
        if (!AttachConsole(static_cast<DWORD>(_wtoi(argv[2]))))
            return 3;
        HANDLE input =
            CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
        INPUT_RECORD keys[2] = {};
        for (int i = 0; i < 2; ++i) {
            keys[i].EventType = KEY_EVENT;
            keys[i].Event.KeyEvent.bKeyDown = i == 0;
            keys[i].Event.KeyEvent.wRepeatCount = 1;
            keys[i].Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
            keys[i].Event.KeyEvent.uChar.UnicodeChar = L'\r';
        }
        DWORD written = 0;
        return WriteConsoleInputW(input, keys, 2, &written) && written == 2 ? 0 : 2;
    }
    if (command == L"delicon" && argc >= 5) {
        HWND window = FindWindowW(orNull(argv[2]), orNull(argv[3]));
        if (!window)
            return 3;
        NOTIFYICONDATAW icon = {};
        icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
        icon.hWnd = window;
        icon.uID = static_cast<UINT>(_wtoi(argv[4]));
        return Shell_NotifyIconW(NIM_DELETE, &icon) ? 0 : 2;
    }
    if (command == L"open" && argc >= 3) {
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.lpFile = argv[2];
        info.nShow = SW_SHOWNORMAL;
        if (!ShellExecuteExW(&info) || !info.hProcess)
            return 255;
        WaitForSingleObject(info.hProcess, 30000);
        DWORD code = 255;
        GetExitCodeProcess(info.hProcess, &code);
        CloseHandle(info.hProcess);
        return static_cast<int>(code);
    }
    if (command == L"postnamed" && argc >= 5) {
        HWND window = FindWindowW(orNull(argv[2]), orNull(argv[3]));
        if (!window)
            return 3;
        return PostMessageW(window, RegisterWindowMessageW(argv[4]), 0, 0) ? 0 : 2;
    }
    return 64;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    return perform(argc, argv);
}
