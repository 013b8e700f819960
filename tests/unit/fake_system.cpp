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

bool readFileBytes(const std::wstring& path, std::string& bytes) {
    const auto found = fakeSystem.files.find(path);
    if (found == fakeSystem.files.end())
        return false;
    bytes = found->second;
    return true;
}

// A fixed single-byte code page is enough here: Latin-1.
std::wstring decodeAnsiCodePage(const std::string& bytes) {
    std::wstring text;
    for (unsigned char c : bytes)
        text.push_back(static_cast<wchar_t>(c));
    return text;
}
