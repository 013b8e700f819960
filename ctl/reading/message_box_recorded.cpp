#include "ctl/reading/message_box_recorded.h"
#include "base/message_box.h"

namespace {
std::vector<std::wstring> recorded;
} // namespace

WindowHandle foregroundWindow() {
    return nullptr;
}

int showMessageBox(WindowHandle, const std::wstring& text, const std::wstring&, unsigned) {
    recorded.push_back(text);
    return 1; // IDOK
}

std::vector<std::wstring> takeProgramBoxTexts() {
    std::vector<std::wstring> texts;
    texts.swap(recorded);
    return texts;
}
