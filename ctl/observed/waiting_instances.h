// ctl/observed/: what is on the desktop now, as palimoorctl sees it: the
// top-level windows described, the waiting Palimoor instances found, and what
// each says it sees when asked. Used by the desktop, status and new rooms;
// below them, above ctl/io/ and ctl/reading/.
//
// The waiting instances, found as palimoor.exe finds them (the class
// compared exactly), and asked what they see.
#pragma once
#include "ctl/observed/status_words.h"
#include "shell/status_record.h"
#include <windows.h>
#include <string>
#include <vector>

struct WaitingInstance {
    HWND window;
    std::wstring section;
    DWORD processId;
    bool shown; // among the running tasks (-showtask=TRUE)
};

std::vector<WaitingInstance> waitingInstances();

// Asks the instance for its status record: a request by WM_COPYDATA, the
// answer sent back to a window of ours. An instance that answers nothing
// within a second (busy, hung, or of another version) leaves it false.
bool askInstance(HWND instance, StatusRecord& record);

// The instance asked, its rule read from the file it names, and the windows
// it saw described as they are now; false when it does not answer.
bool instanceStatus(const WaitingInstance& instance, InstanceStatus& status);
