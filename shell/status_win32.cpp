#include "shell/status.h"
#include "rules/ini_reader.h"
#include "shell/app_state.h"
#include "shell/event_hooks.h"
#include "shell/platform.h"
#include "shell/status_record.h"
#include <cstring>

namespace {

// A request flood costs the instance what receiving it costs, and answers at
// most this often: a person asks once. A reply window that did not answer in
// time gets no answer for a while, so that a hung asker cannot keep the
// window thread waiting.
constexpr DWORD kLeastMsBetweenAnswers = 100;
constexpr DWORD kSilenceAfterNoAnswerMs = 2000;

SharedLook lastLook;
LookSeen looked = {};   // the main thread's own copy of what it last wrote
DWORD waitingSince = 0; // written before the window thread starts
bool processWatch = false;
DWORD quietUntil = 0; // no answer before this tick count
bool answered = false;

std::uint32_t word(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window));
}

void fill(StatusRecord& record) {
    record.tag = kStatusAnswerTag;
    record.version = kStatusVersion;
    record.size = sizeof record;
    record.process = GetCurrentProcessId();
    record.now = GetTickCount();
    record.waitingSince = waitingSince;
    record.processWatch = processWatch ? 1 : 0;
    record.trigger = static_cast<std::int32_t>(app.rule.trigger);
    record.check = static_cast<std::int32_t>(app.rule.check);
    record.polling = app.rule.polling;
    record.timeout = app.rule.timeout;
    const TimeoutChain& chain = app.timeout;
    record.timeoutLeft = chain.armed && !chain.infinite
                             ? static_cast<std::int32_t>(chain.deadline - record.now)
                             : -1;
    record.look = lastLook.read();
    const EventStatus events = eventStatus();
    record.eventsPlanned = events.planned;
    record.listening = events.listening ? 1 : 0;
    record.shedUntil = events.shedUntil;
    record.stormEvents = events.stormEvents;
    record.lastEvent = events.lastEvent;
    record.lastEventAt = events.lastEventAt;
    const std::wstring rules = iniFilePath(app.modulePath, app.settings.inifile);
    const size_t most = sizeof record.ruleFile / sizeof record.ruleFile[0] - 1;
    const size_t length = rules.size() < most ? rules.size() : most;
    for (size_t i = 0; i < length; ++i)
        record.ruleFile[i] = static_cast<std::uint16_t>(rules[i]);
    record.ruleFile[length] = 0;
}

} // namespace

void noteWaitBegins(bool processes) {
    waitingSince = GetTickCount();
    processWatch = processes;
}

void noteLook(HWND window, HWND front, bool inFront) {
    looked.looks += 1;
    looked.lastLook = GetTickCount();
    looked.window = word(window);
    looked.front = word(front);
    looked.inFront = inFront ? 1 : 0;
    lastLook.write(looked);
}

bool answerStatus(HWND shell, const COPYDATASTRUCT* data) {
    if (!data ||
        !isStatusRequest(static_cast<std::uint32_t>(data->dwData), data->lpData, data->cbData))
        return false;
    const DWORD now = GetTickCount();
    if (answered && static_cast<LONG>(quietUntil - now) > 0)
        return false;
    StatusRequest request;
    memcpy(&request, data->lpData, sizeof request);
    HWND reply = reinterpret_cast<HWND>(static_cast<UINT_PTR>(request.reply));
    if (!IsWindow(reply))
        return false;
    StatusRecord record = {};
    fill(record);
    COPYDATASTRUCT answer = {kStatusAnswerTag, sizeof record, &record};
    const bool sent = sendWithoutWaiting(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(shell),
                                         reinterpret_cast<LPARAM>(&answer));
    answered = true;
    quietUntil = now + (sent ? kLeastMsBetweenAnswers : kSilenceAfterNoAnswerMs);
    return sent;
}
