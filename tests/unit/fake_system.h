// Host stand-ins for the platform services: boxes are recorded, files live in memory.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

struct RecordedBox {
    void* owner;
    std::wstring text;
    std::wstring caption;
    unsigned style;
};

struct FakeSystem {
    std::vector<RecordedBox> boxes;
    std::map<std::wstring, std::string> files;
    void* foreground = nullptr;
    size_t chunkSize = 7;
    std::set<std::wstring> folders;
    unsigned codePage = 1252;
    bool codePageReadable = true;
    size_t outOfMemoryAfter = 0; // when set, reading throws std::bad_alloc past this many bytes

    void reset() { *this = FakeSystem(); }
    std::vector<std::wstring> texts() const {
        std::vector<std::wstring> all;
        for (const auto& box : boxes)
            all.push_back(box.text);
        return all;
    }
};

extern FakeSystem fakeSystem;
