#include "tests/unit/fake_system.h"
#include "app/message_box.h"
#include "rules/text_file.h"

FakeSystem fakeSystem;

WindowHandle foregroundWindow() {
    return fakeSystem.foreground;
}

int showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                   unsigned style) {
    fakeSystem.boxes.push_back({owner, text, caption, style});
    return 1;
}

bool readFileBytes(const std::wstring& path, std::vector<char>& bytes) {
    const auto found = fakeSystem.files.find(path);
    if (found == fakeSystem.files.end())
        return false;
    bytes.assign(found->second.begin(), found->second.end());
    return true;
}

// A fixed single-byte code page is enough here: Latin-1.
std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    std::wstring text;
    for (size_t i = 0; i < size; ++i)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    return text;
}
