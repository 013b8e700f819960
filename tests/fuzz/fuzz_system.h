#pragma once
#include <map>
#include <string>
#include <vector>

struct FuzzSystem {
    std::map<std::wstring, std::string> files;
    std::vector<std::wstring> boxes;
    size_t chunkSize = 4096;
    void reset() { *this = FuzzSystem(); }
};

extern FuzzSystem fuzzSystem;
