// The checker's first read of a rule file, and what it finds about the whole
// file: its encoding, its line ends, where each header stands for the last
// time (so that a section can be judged where it ends), which asked-for
// sections exist, and a lead byte that takes a line's "]" or "=".
#pragma once
#include "ctl/reading/findings.h"
#include "ctl/reading/spelling.h"
#include "rules/text_file.h"
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A line whose bytes look like a header or a key line, but in a double-byte
// code page a lead byte takes the "]" at its end or its "=" with it.
struct SwallowedByte {
    int line = 0;
    unsigned char lead = 0;
    char taken = 0;
};

// Every such line, up to kMostNamed; how many more there are beyond them.
struct SwallowedBytes {
    static constexpr size_t kMostNamed = 1000;
    std::vector<SwallowedByte> lines;
    size_t more = 0;

    void look(const char* bytes, size_t size, int number);
};

// Headers are kept by a hash, so that memory stays small: two headers that
// share a hash only keep a section open longer.
struct Survey {
    std::vector<std::pair<std::uint64_t, int>> headers; // hash, line; sorted once read
    int lines = 0;
    int linesWithCr = 0;
    int firstLineWithCr = 0;
    TextFileInfo info;
    std::vector<bool> found;           // per asked-for name
    std::vector<NearestNames> nearest; // per asked-for name
    SwallowedBytes swallowed;

    // False when the file cannot be opened.
    bool read(const std::wstring& path, const std::vector<std::wstring>& asked);
    // The last line a header of this hash is on; 0 when none.
    int lastHeaderLine(std::uint64_t hash) const;
};

// What concerns the whole file, or the asked-for sections it lacks; `asked`
// empty means the whole file is checked.
std::vector<CheckFinding> wholeFileFindings(const Survey& survey,
                                            const std::vector<std::wstring>& asked);
