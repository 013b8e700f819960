#include "tests/unit/fake_system.h"
#include "base/message_box.h"
#include "base/file_io.h"
#include "base/file_write.h"
#include "base/utf8_text.h"
#include "base/code_page.h"
#include "ctl/reading/message_box_recorded.h"
#include <algorithm>
#include <new>

FakeSystem fakeSystem;

WindowHandle foregroundWindow() {
    return fakeSystem.foreground;
}

int showMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                   unsigned style) {
    fakeSystem.boxes.push_back({owner, text, caption, style});
    return 1;
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes, std::wstring*) {
    fakeSystem.files[path] = bytes;
    return true;
}

bool isFolder(const std::wstring& path) {
    return fakeSystem.folders.count(path) > 0;
}

// Small, odd-sized chunks, so that marks, characters and line ends fall
// across chunk boundaries.
bool readFileChunks(const std::wstring& path, ChunkSink sink, void* context) {
    const auto found = fakeSystem.files.find(path);
    if (found == fakeSystem.files.end())
        return false;
    const std::string& bytes = found->second;
    for (size_t at = 0; at < bytes.size(); at += fakeSystem.chunkSize) {
        if (fakeSystem.outOfMemoryAfter > 0 && at >= fakeSystem.outOfMemoryAfter)
            throw std::bad_alloc();
        sink(context, bytes.data() + at, std::min(fakeSystem.chunkSize, bytes.size() - at));
    }
    return true;
}

// A fixed single-byte code page is enough here: Latin-1, or UTF-8 for 65001.
unsigned ansiCodePage() {
    return fakeSystem.codePage;
}

bool selectAnsiCodePage(unsigned codePage) {
    fakeSystem.codePage = codePage;
    return true;
}

bool ansiCodePageReadable() {
    return fakeSystem.codePageReadable;
}

bool encodeAnsiCodePage(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    if (fakeSystem.codePage == 65001) {
        bytes = toUtf8(text);
        return true;
    }
    for (wchar_t c : text) {
        if (c > 0xFF)
            return false;
        bytes.push_back(static_cast<char>(c));
    }
    return true;
}

bool ansiCodePageAsWindows() {
    return fakeSystem.codePage == 932 || fakeSystem.codePage == 1252;
}

bool isAnsiLeadByte(unsigned char) {
    return false;
}

std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    if (fakeSystem.codePage == 65001)
        return decodeUtf8(bytes, size);
    std::wstring text;
    for (size_t i = 0; i < size; ++i)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::vector<std::wstring> takeProgramBoxTexts() {
    std::vector<std::wstring> texts = fakeSystem.texts();
    fakeSystem.boxes.clear();
    return texts;
}
