#include "shell/status.h"
#include "shell/app_state.h"
#include "shell/event_hooks.h"
#include "shell/platform.h"
#include "shell/status_record.h"
#include <atomic>
#include <cstring>

namespace {

// A request flood costs the instance what receiving it costs, and answers at
// most this often, counted from the end of the last answer: a person asks
// once. An asker slow to take an answer is answered less often, in
// proportion, and one that did not take it in time gets no answer for a
// while, so that no asker can keep the window thread waiting.
constexpr DWORD kLeastMsBetweenAnswers = 100;
constexpr DWORD kQuietPerMsSending = 4;
constexpr DWORD kSilenceAfterNoAnswerMs = 2000;

SharedLook lastLook;
LookSeen looked = {};   // the main thread's own copy of what it last wrote
DWORD waitingSince = 0; // written before the window thread starts
bool processWatch = false;
std::uint64_t keysHash = 0; // written at start-up
std::atomic<std::uint32_t> firedCount{0};
std::atomic<std::uint32_t> lastFiredAt{0};
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
    record.repeat = app.rule.repeat;
    record.fired = firedCount;
    record.lastFiredAt = lastFiredAt;
    record.keysLow = static_cast<std::uint32_t>(keysHash);
    record.keysHigh = static_cast<std::uint32_t>(keysHash >> 32);
    setRuleFile(record, app.ruleFile);
}

} // namespace

void noteRuleKeys(std::uint64_t hash) {
    keysHash = hash;
}

void noteFired(std::uint32_t fired) {
    lastFiredAt = GetTickCount();
    firedCount = fired;
}

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
    // Quiet before the send: a request that comes while it waits is handled
    // in it, and must not be answered too.
    answered = true;
    quietUntil = now + kSilenceAfterNoAnswerMs;
    const bool sent = sendWithoutWaiting(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(shell),
                                         reinterpret_cast<LPARAM>(&answer));
    const DWORD done = GetTickCount();
    const DWORD quiet = kQuietPerMsSending * (done - now);
    quietUntil = done + (!sent                            ? kSilenceAfterNoAnswerMs
                         : quiet > kLeastMsBetweenAnswers ? quiet
                                                          : kLeastMsBetweenAnswers);
    return sent;
}
