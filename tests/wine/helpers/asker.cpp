// Asks a waiting Palimoor instance for its status by WM_COPYDATA, as
// palimoorctl does, well or badly, and says how many answers came back.
//   asker CLASS TITLE [--kind=good|size|tag|version|gone|hang] [--rate=N] [--for=MS] [--wait]
//         [--bytes=N] [--slow=MS]
// good: a well-formed request (the default); size, tag, version: a request
// of the wrong size, tag or version; gone: it names a reply window that has
// been destroyed; hang: the reply window's thread stops pumping messages.
// --rate asks N times a second for --for ms (once without them). Prints one
// JSON line: {"sent":N,"answers":M,"ms":T}, T the longest a send took.
// --wait waits (up to 30 s) for the window to appear first. --bytes sends N
// bytes (zeros) under the request's tag instead of a request: a message of
// megabytes. --slow makes the reply window take MS to take each answer.
#include "helper_util.h"
#include "shell/status_record.h"
#include <cstdio>
#include <vector>

namespace {

int answers = 0;
DWORD slowMs = 0;

LRESULT CALLBACK replyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (isStatusAnswer(static_cast<std::uint32_t>(data->dwData), data->lpData, data->cbData))
            ++answers;
        Sleep(slowMs);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND makeReplyWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = replyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"AskerReply";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"AskerReply", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

// A reply window on a thread that makes it and then sleeps, never pumping.
DWORD WINAPI hungOwner(LPVOID made) {
    *static_cast<HWND*>(made) = makeReplyWindow();
    Sleep(600000);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 64;
    HWND instance = FindWindowW(argv[1], argv[2]);
    for (int i = 0; !instance && flag(argc, argv, L"wait") && i < 3000; ++i) {
        Sleep(10);
        instance = FindWindowW(argv[1], argv[2]);
    }
    if (!instance)
        return 3;
    const std::wstring kind = option(argc, argv, L"kind", L"good");
    const int rate = _wtoi(option(argc, argv, L"rate", L"0").c_str());
    const int forMs = _wtoi(option(argc, argv, L"for", L"0").c_str());
    HWND reply = makeReplyWindow();
    if (kind == L"gone") {
        HWND gone = makeReplyWindow();
        DestroyWindow(gone);
        reply = gone;
    } else if (kind == L"hang") {
        HWND hung = nullptr;
        CreateThread(nullptr, 0, hungOwner, &hung, 0, nullptr);
        while (!hung)
            Sleep(1);
        reply = hung;
    }
    StatusRequest request = {kind == L"tag" ? 0x12345678u : kStatusRequestTag,
                             kind == L"version" ? kStatusVersion + 1 : kStatusVersion,
                             static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(reply))};
    COPYDATASTRUCT data = {kStatusRequestTag, kind == L"size" ? 8u : sizeof request, &request};
    slowMs = static_cast<DWORD>(_wtoi(option(argc, argv, L"slow", L"0").c_str()));
    std::vector<char> bytes(static_cast<size_t>(_wtoi(option(argc, argv, L"bytes", L"0").c_str())));
    if (!bytes.empty())
        data = {kStatusRequestTag, static_cast<DWORD>(bytes.size()), bytes.data()};
    int sent = 0;
    long long longest = 0;
    const long long start = epochMilliseconds();
    do {
        const long long before = epochMilliseconds();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(instance, WM_COPYDATA, reinterpret_cast<WPARAM>(reply),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 2000, &result);
        const long long took = epochMilliseconds() - before;
        longest = took > longest ? took : longest;
        ++sent;
        if (rate > 0) {
            const long long next = start + static_cast<long long>(sent) * 1000 / rate;
            const long long wait = next - epochMilliseconds();
            if (wait > 0)
                Sleep(static_cast<DWORD>(wait));
        }
    } while (rate > 0 && epochMilliseconds() - start < forMs && IsWindow(instance));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    char line[96];
    std::snprintf(line, sizeof line, "{\"sent\":%d,\"answers\":%d,\"ms\":%lld}\n", sent, answers,
                  longest);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(strlen(line)), &written,
              nullptr);
    return 0;
}
