// The history file as palimoorctl reads it back, whatever it holds (a file
// damaged, cut short, or another program's): every record read is one that
// writing it again gives back, and its words and JSON never fail.
#include "ctl/history/history_words.h"
#include "fuzz_input.h"
#include "rules/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<HistoryRecord> records;
    int unreadable = 0;
    readHistoryLines(decodeTextLines(bytes), records, unreadable);
    JsonWriter json;
    json.beginArray(true);
    for (const HistoryRecord& record : records) {
        std::wstring line = historyLine(record);
        line.resize(line.size() - 2); // its CR LF
        HistoryRecord again;
        FUZZ_REQUIRE(readHistoryLine(line, again));
        FUZZ_REQUIRE(historyLine(again) == historyLine(record));
        FUZZ_REQUIRE(!historyText(record).empty());
        writeHistoryJson(json, record);
    }
    json.close();
    return 0;
}
