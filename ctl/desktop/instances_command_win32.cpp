// `palimoorctl instances`: the waiting Palimoor instances, found as the
// program finds them, by their window class.
#include "base/settings.h"
#include "ctl/desktop/desktop_commands.h"
#include "ctl/io/json_writer.h"
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

int instancesCommand(const ParsedArguments& read, const Console& console) {
    if (!read.positional.empty())
        return usageError(console, L"unexpected " + quoted(read.positional[0]), L"instances");
    std::vector<Instance> instances;
    EnumWindows(gather, reinterpret_cast<LPARAM>(&instances));
    if (read.has(L"--json")) {
        JsonWriter json;
        json.beginArray(true);
        for (const Instance& instance : instances)
            json.beginObject()
                .key(L"section")
                .string(instance.section)
                .key(L"pid")
                .value(std::to_wstring(instance.processId))
                .key(L"shown")
                .boolean(instance.shown)
                .close();
        console.print(json.close().take());
        return 0;
    }
    std::wstring out;
    for (const Instance& instance : instances)
        out += L"[" + visible(instance.section) + L"]  pid " + std::to_wstring(instance.processId) +
               (instance.shown ? L"  shown in the task list\n" : L"  hidden\n");
    console.print(instances.empty() ? L"no Palimoor instance is waiting\n" : out);
    return 0;
}
