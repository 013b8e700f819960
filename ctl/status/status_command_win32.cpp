#include "ctl/status/status_command.h"
#include "ctl/io/json_writer.h"
#include "ctl/io/shown_text.h"
#include "ctl/observed/waiting_instances.h"

int statusCommand(const ParsedArguments& read, const Console& console) {
    if (read.positional.size() > 1)
        return usageError(console, L"one SECTION at most", L"status");
    const bool one = !read.positional.empty();
    const bool json = read.has(L"--json");
    JsonWriter writer;
    if (json)
        writer.beginArray(true);
    std::wstring out, silent;
    int asked = 0;
    for (const WaitingInstance& instance : waitingInstances()) {
        if (one && instance.section != read.positional[0])
            continue;
        ++asked;
        InstanceStatus status;
        if (!instanceStatus(instance, status)) {
            silent += L"[" + visible(instance.section) + L"]  pid " +
                      std::to_wstring(instance.processId) +
                      L": did not answer within a second (busy, not answering at all, or of "
                      L"another version than this palimoorctl)\n";
            continue;
        }
        if (json)
            writeStatusJson(writer, status);
        else
            out += (out.empty() ? L"" : L"\n") + statusText(status);
    }
    if (asked == 0) {
        if (json)
            console.print(writer.close().take());
        console.error(one ? L"palimoorctl status: [" + visible(read.positional[0]) +
                                L"] is not waiting\n"
                          : std::wstring(L"palimoorctl status: no Palimoor instance is waiting\n"));
        return 1;
    }
    console.print(json ? writer.close().take() : out);
    if (!silent.empty())
        console.error(silent);
    return silent.empty() ? 0 : 1;
}
