#include "watch/clipboard.h"
#include "shell/platform.h"
#include <atomic>
#include <new>

namespace {

// Long enough for any owner that answers to render its text.
constexpr DWORD kClipboardWaitMs = 1000;

// Shared by the reader thread and the caller, which may leave it behind:
// whichever lets go last frees it, and the caller reads the text only once
// the reader has ended.
struct ClipboardRead {
    std::atomic<int> holders{2};
    std::wstring text;
};

// A reader left behind holds the clipboard open while the owner renders: no
// other read can open it meanwhile, so none is tried until it lets go.
std::atomic<bool> readerLeftBehind{false};

void letGo(ClipboardRead* read) {
    if (--read->holders == 0)
        delete read;
}

std::wstring readNow() {
    std::wstring text;
    // An owner that does not answer even now is not asked (Wine waits 5 s
    // for it just to open the clipboard).
    HWND owner = GetClipboardOwner();
    if ((owner && !windowAnswers(owner)) || !OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Bounded by the block, in case its text lacks the terminating zero.
            const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            size_t length = 0;
            while (length < capacity && chars[length] != L'\0')
                ++length;
            text.assign(chars, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

DWORD WINAPI readerThread(LPVOID context) {
    auto* read = static_cast<ClipboardRead*>(context);
    try {
        read->text = readNow();
    } catch (const std::bad_alloc&) {
        read->text.clear(); // too large to copy: read as empty
    }
    readerLeftBehind = false;
    letGo(read);
    return 0;
}

} // namespace

std::wstring readClipboardText() {
    if (readerLeftBehind)
        return std::wstring();
    auto* read = new (std::nothrow) ClipboardRead;
    if (!read)
        return std::wstring();
    HANDLE thread = CreateThread(nullptr, 0, readerThread, read, 0, nullptr);
    if (!thread) {
        delete read;
        return std::wstring();
    }
    std::wstring text;
    if (WaitForSingleObject(thread, kClipboardWaitMs) == WAIT_OBJECT_0)
        text.swap(read->text);
    else
        readerLeftBehind = true;
    CloseHandle(thread);
    letGo(read);
    return text;
}
