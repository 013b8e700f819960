// Records every message box that appears (caption, text, buttons, icon,
// owner) as a JSON line and answers it, until a stop file appears. With
// --hold, each box is answered only that many milliseconds after it appeared.
//   boxwatch --log=FILE --stop=FILE [--answers=OK,CANCEL,...] [--hold=MS]
#include "helper_util.h"
#include <set>
#include <vector>

namespace {

struct BoxInfo {
    std::wstring text;
    std::vector<std::pair<int, std::wstring>> buttons;
    bool icon = false;
};

BOOL CALLBACK collectChild(HWND child, LPARAM param) {
    auto* info = reinterpret_cast<BoxInfo*>(param);
    if (!IsWindowVisible(child))
        return TRUE;
    const std::wstring cls = windowClass(child);
    if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
        std::wstring label;
        for (wchar_t c : windowText(child))
            if (c != L'&')
                label += c;
        info->buttons.push_back({GetDlgCtrlID(child), label});
    } else if (lstrcmpiW(cls.c_str(), L"Static") == 0) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            info->icon = info->icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        else if (info->text.empty())
            info->text = windowText(child);
    }
    return TRUE;
}

struct Answer {
    HWND box;
    int id;
    long long due;
};

struct Watch {
    std::set<HWND> handled;
    std::vector<HWND> fresh;
    std::vector<Answer> pending;
};

BOOL CALLBACK findBoxes(HWND window, LPARAM param) {
    auto* watch = reinterpret_cast<Watch*>(param);
    if (windowClass(window) == L"#32770" && IsWindowVisible(window) &&
        !watch->handled.count(window))
        watch->fresh.push_back(window);
    return TRUE;
}

int answerId(const std::wstring& word) {
    if (word == L"CANCEL")
        return IDCANCEL;
    if (word == L"YES")
        return IDYES;
    if (word == L"NO")
        return IDNO;
    return IDOK;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring log = option(argc, argv, L"log");
    const std::wstring stop = option(argc, argv, L"stop");
    std::vector<std::wstring> answers;
    std::wstring list = option(argc, argv, L"answers");
    for (size_t start = 0; !list.empty() && start <= list.size();) {
        const size_t comma = list.find(L',', start);
        answers.push_back(list.substr(start, comma == std::wstring::npos ? comma : comma - start));
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    const long long holdMs = _wtoi(option(argc, argv, L"hold", L"0").c_str());
    size_t nextAnswer = 0;
    Watch watch;
    appendLine(log + L".ready", "ready");
    while (GetFileAttributesW(stop.c_str()) == INVALID_FILE_ATTRIBUTES) {
        watch.fresh.clear();
        EnumWindows(findBoxes, reinterpret_cast<LPARAM>(&watch));
        for (HWND box : watch.fresh) {
            Sleep(30); // let the box finish laying itself out
            BoxInfo info;
            EnumChildWindows(box, collectChild, reinterpret_cast<LPARAM>(&info));
            DWORD pid = 0;
            GetWindowThreadProcessId(box, &pid);
            std::string line = "{\"time\":" + std::to_string(epochMilliseconds()) +
                               ",\"caption\":" + jsonString(windowText(box)) +
                               ",\"text\":" + jsonString(info.text) + ",\"buttons\":[";
            for (size_t i = 0; i < info.buttons.size(); ++i)
                line += (i ? "," : "") + jsonString(info.buttons[i].second);
            line += "],\"button_ids\":[";
            for (size_t i = 0; i < info.buttons.size(); ++i)
                line += (i ? "," : "") + std::to_string(info.buttons[i].first);
            line += std::string("],\"icon\":") + (info.icon ? "true" : "false") +
                    ",\"owned\":" + (GetWindow(box, GW_OWNER) ? "true" : "false") +
                    ",\"pid\":" + std::to_string(pid) + "}";
            appendLine(log, line);
            int id = answerId(nextAnswer < answers.size() ? answers[nextAnswer++] : L"OK");
            if (!GetDlgItem(box, id) && !info.buttons.empty())
                id = info.buttons.front().first;
            watch.pending.push_back({box, id, epochMilliseconds() + holdMs});
            watch.handled.insert(box);
        }
        for (auto it = watch.pending.begin(); it != watch.pending.end();) {
            if (epochMilliseconds() < it->due) {
                ++it;
                continue;
            }
            PostMessageW(it->box, WM_COMMAND, MAKEWPARAM(it->id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(it->box, it->id)));
            it = watch.pending.erase(it);
        }
        for (auto it = watch.handled.begin(); it != watch.handled.end();)
            it = IsWindow(*it) ? std::next(it) : watch.handled.erase(it);
        Sleep(10);
    }
    return 0;
}
