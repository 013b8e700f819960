#include "ctl/history/history_command.h"
#include "base/file_io.h"
#include "ctl/history/history_words.h"
#include "ctl/io/shown_text.h"
#include "rules/text_file.h"
#include "shell/history.h"

namespace {

// palimoor.exe keeps each file under 32 KB; anything far larger is not its
// writing, and only its beginning is read.
constexpr size_t kLargestRead = 1024 * 1024;

struct ReadBytes {
    std::string bytes;
    bool cut = false;
};

void keepBytes(void* context, const char* bytes, size_t size) {
    auto* read = static_cast<ReadBytes*>(context);
    const size_t room = kLargestRead - read->bytes.size();
    read->cut = read->cut || size > room;
    read->bytes.append(bytes, size < room ? size : room);
}

// The older file first: its records came before.
bool readRecords(std::vector<HistoryRecord>& records, std::wstring& notes) {
    bool any = false;
    for (bool older : {true, false}) {
        const std::wstring path = historyFile(older);
        ReadBytes read;
        if (path.empty() || !readFileChunks(path, keepBytes, &read))
            continue;
        any = true;
        int unreadable = 0;
        std::vector<std::wstring> lines = decodeTextLines(read.bytes);
        // Each record is written whole with its line end: a last line without
        // one was cut short (a full disk), and its numbers may be too.
        const std::string lineEnd("\r\0\n\0", 4);
        if (!lines.empty() && !lines.back().empty() &&
            (read.bytes.size() < 4 || read.bytes.compare(read.bytes.size() - 4, 4, lineEnd) != 0)) {
            lines.pop_back();
            ++unreadable;
        }
        readHistoryLines(lines, records, unreadable);
        if (read.cut)
            notes += L"palimoorctl history: " + visible(path) +
                     L" is larger than palimoor.exe writes it; only its first megabyte is read\n";
        if (unreadable > 0)
            notes += L"palimoorctl history: " + std::to_wstring(unreadable) + L" line" +
                     (unreadable == 1 ? L"" : L"s") + L" of " + visible(path) +
                     L" are no whole record (cut short or damaged), left out\n";
    }
    return any;
}

} // namespace

int historyCommand(const ParsedArguments& read, const Console& console) {
    if (read.positional.size() > 1)
        return usageError(console, L"one SECTION at most", L"history");
    const bool one = !read.positional.empty();
    const bool json = read.has(L"--json");
    std::vector<HistoryRecord> records;
    std::wstring notes;
    const bool found = readRecords(records, notes);
    JsonWriter writer;
    if (json)
        writer.beginArray(true);
    std::wstring out;
    int shown = 0;
    for (const HistoryRecord& record : records) {
        if (one && record.section != read.positional[0])
            continue;
        ++shown;
        if (json)
            writeHistoryJson(writer, record);
        else
            out += (out.empty() ? L"" : L"\n") + historyText(record);
    }
    if (json)
        out = writer.close().take();
    if (shown > 0 || json)
        console.print(out);
    if (!notes.empty())
        console.error(notes);
    if (shown == 0)
        console.error(!found ? L"palimoorctl history: no list has run yet (no file " +
                                   visible(historyFile()) + L")\n"
                      : one ? L"palimoorctl history: no record of [" + visible(read.positional[0]) +
                                  L"]\n"
                            : std::wstring(L"palimoorctl history: the history has no record\n"));
    return shown > 0 ? 0 : 1;
}
