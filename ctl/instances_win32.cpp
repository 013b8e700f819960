// `palimoorctl instances`: the waiting Palimoor instances, found as the
// program finds them, by their window class.
#include "base/settings.h"
#include "ctl/commands.h"
#include "ctl/windows_help.h"
#include "ctl/text_out.h"
#include "shell/instance_control.h"
#include <windows.h>
#include <vector>

namespace {

struct Instance {
    std::wstring section;
    DWORD processId;
    bool shown;
};

// Found as palimoor.exe finds them: the class compared exactly.
BOOL CALLBACK gather(HWND window, LPARAM context) {
    std::wstring section;
    if (!instanceSection(window, kProgramName, section))
        return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    reinterpret_cast<std::vector<Instance>*>(context)->push_back(
        {section, processId, IsWindowVisible(window) != FALSE});
    return TRUE;
}

} // namespace

int instancesCommand(const Arguments& arguments, const Console& console) {
    if (wantsHelp(arguments)) {
        console.print(kInstancesHelp);
        return 0;
    }
    bool json = false;
    for (const std::wstring& argument : arguments) {
        if (argument != L"--json")
            return usageError(console, L"unexpected " + quoted(argument), L"instances");
        json = true;
    }
    std::vector<Instance> instances;
    EnumWindows(gather, reinterpret_cast<LPARAM>(&instances));
    std::wstring out = json ? L"[" : L"";
    for (size_t i = 0; i < instances.size(); ++i) {
        const Instance& instance = instances[i];
        if (json)
            out += (i == 0 ? L"\n  " : L",\n  ") + std::wstring(L"{\"section\": ") +
                   jsonString(instance.section) + L", \"pid\": " +
                   std::to_wstring(instance.processId) + L", \"shown\": " +
                   (instance.shown ? L"true" : L"false") + L"}";
        else
            out += L"[" + visible(instance.section) + L"]  pid " +
                   std::to_wstring(instance.processId) +
                   (instance.shown ? L"  shown in the task list\n" : L"  hidden\n");
    }
    if (json)
        out += instances.empty() ? L"]\n" : L"\n]\n";
    else if (instances.empty())
        out = L"no Palimoor instance is waiting\n";
    console.print(out);
    return 0;
}
