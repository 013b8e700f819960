// The platform services for the fuzz targets: files in memory, boxes counted.
#include "fuzz_system.h"
#include "base/message_box.h"
#include "rules/text_file.h"
#include <algorithm>

FuzzSystem fuzzSystem;

WindowHandle foregroundWindow() {
    return nullptr;
}

int showMessageBox(WindowHandle, const std::wstring& text, const std::wstring&, unsigned) {
    fuzzSystem.boxes.push_back(text);
    return 1;
}

bool readFileChunks(const std::wstring& path, ChunkSink sink, void* context) {
    const auto found = fuzzSystem.files.find(path);
    if (found == fuzzSystem.files.end())
        return false;
    const std::string& bytes = found->second;
    const size_t chunk = std::max<size_t>(1, fuzzSystem.chunkSize);
    for (size_t at = 0; at < bytes.size(); at += chunk)
        sink(context, bytes.data() + at, std::min(chunk, bytes.size() - at));
    return true;
}

std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    std::wstring text;
    for (size_t i = 0; i < size; ++i)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    return text;
}
