// The history file as palimoor.exe writes it, driven hard: `append N` writes
// N records with palimoor.exe's own code (record I names section "S<I>"), as
// N list runs would; `lock MS` holds the file so that no one else may open
// it, as a backup program or an editor may, for MS milliseconds.
//   historian append N | historian lock MS
#include "helper_util.h"
#include "shell/history.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 64;
    const std::wstring command = argv[1];
    const int number = _wtoi(argv[2]);
    if (command == L"lock") {
        HANDLE file = CreateFileW(historyFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 2;
        DWORD written = 0; // the test waits for this line before it fires the rule
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "locked\n", 7, &written, nullptr);
        Sleep(static_cast<DWORD>(number));
        CloseHandle(file);
        return 0;
    }
    if (command != L"append")
        return 64;
    for (int i = 1; i <= number; ++i) {
        std::wstring fields;
        wchar_t when[kHistoryTimeChars];
        addHistoryField(fields, historyTime(when));
        addHistoryField(fields, L"Z:\\rules\\palimoor.ini");
        addHistoryField(fields, (L"S" + std::to_wstring(i)).c_str());
        addHistoryField(fields, L"exec");
        for (std::uint32_t number : {0u, 1u})
            addHistoryNumber(fields, number);
        for (const wchar_t* text : {L"#32770", L"1 Reminder", L"OUTLOOK.EXE"})
            addHistoryField(fields, text);
        for (std::uint32_t number : {static_cast<std::uint32_t>(i), 1u})
            addHistoryNumber(fields, number);
        addHistoryField(fields, L"topmost");
        for (std::uint32_t number : {1u, 0u})
            addHistoryNumber(fields, number);
        appendHistory(fields);
    }
    return 0;
}
