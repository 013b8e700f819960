// `palimoorctl instances`: the waiting Palimoor instances, found as the
// program finds them, by their window class, each with what it waits for.
#include "ctl/desktop/desktop_commands.h"
#include "ctl/io/json_writer.h"
#include "ctl/io/shown_text.h"
#include "ctl/observed/waiting_instances.h"

namespace {

// What it waits for, in one sentence; empty when it does not answer.
std::wstring waitsForNow(const WaitingInstance& instance) {
    InstanceStatus status;
    return instanceStatus(instance, status) ? waitsFor(status) : std::wstring();
}

} // namespace

int instancesCommand(const ParsedArguments& read, const Console& console) {
    if (!read.positional.empty())
        return usageError(console, L"unexpected " + quoted(read.positional[0]), L"instances");
    const std::vector<WaitingInstance> instances = waitingInstances();
    if (read.has(L"--json")) {
        JsonWriter json;
        json.beginArray(true);
        for (const WaitingInstance& instance : instances) {
            const std::wstring waits = waitsForNow(instance);
            json.beginObject()
                .key(L"section")
                .string(instance.section)
                .key(L"pid")
                .value(std::to_wstring(instance.processId))
                .key(L"shown")
                .boolean(instance.shown)
                .key(L"waits_for")
                .value(waits.empty() ? L"null" : jsonString(waits))
                .close();
        }
        console.print(json.close().take());
        return 0;
    }
    std::wstring out;
    for (const WaitingInstance& instance : instances) {
        const std::wstring waits = waitsForNow(instance);
        out += L"[" + visible(instance.section) + L"]  pid " + std::to_wstring(instance.processId) +
               (instance.shown ? L"  shown in the task list" : L"  hidden") + L"  " +
               (waits.empty() ? L"(does not answer)" : waits) + L"\n";
    }
    console.print(instances.empty() ? L"no Palimoor instance is waiting\n" : out);
    return 0;
}
