// What a waiting instance tells `palimoorctl status`: one fixed, versioned
// binary record, and the request that asks for it. Both travel by
// WM_COPYDATA; the request names the window the answer goes to. Every field
// is a 32-bit word (window handles are 32 bits wide on every Windows), so the
// record reads the same in a 32-bit and a 64-bit palimoorctl. All wording is
// palimoorctl's: the instance only fills in numbers.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::uint32_t kStatusRequestTag = 0x51534C50; // "PLSQ", also the request's dwData
constexpr std::uint32_t kStatusAnswerTag = 0x41534C50;  // "PLSA", also the answer's dwData
constexpr std::uint32_t kStatusVersion = 2;
constexpr std::size_t kRuleFileChars = 260;

struct StatusRequest {
    std::uint32_t tag;     // kStatusRequestTag
    std::uint32_t version; // kStatusVersion
    std::uint32_t reply;   // the window the answer is sent to
};

// Whether `size` bytes at `data` are a request of this version; anything
// else is ignored without an answer.
bool isStatusRequest(std::uint32_t dataTag, const void* data, std::size_t size);

// What one look saw, written by the watch as it looks.
struct LookSeen {
    std::uint32_t looks;    // since the wait began
    std::uint32_t lastLook; // tick count of the last look
    std::uint32_t window;   // the rule's window then; 0 for none
    std::uint32_t front;    // the foreground window, where the trigger asked for it; else 0
    std::uint32_t inFront;  // 1: in front as the rule means it (a process-only rule's program)
};

// The last look, shared by the thread that looks and the thread that
// answers: written and read whole, never torn, and without a lock (a reader
// that overlaps a write reads again).
class SharedLook {
  public:
    void write(const LookSeen& seen);
    LookSeen read() const;

  private:
    static constexpr std::size_t kWords = sizeof(LookSeen) / sizeof(std::uint32_t);
    std::atomic<std::uint32_t> sequence_{0}; // odd while a write is under way
    std::atomic<std::uint32_t> words_[kWords] = {};
};

// The answer. `now` and the other tick counts are the instance's own clock,
// the system's, so that the reader needs no clock of its own.
struct StatusRecord {
    std::uint32_t tag;     // kStatusAnswerTag
    std::uint32_t version; // kStatusVersion
    std::uint32_t size;    // sizeof(StatusRecord)
    std::uint32_t process;
    std::uint32_t now;
    std::uint32_t waitingSince;
    std::uint32_t processWatch; // 1: waits for the window's process to end; 0: looks
    std::int32_t trigger;       // TriggerState
    std::int32_t check;         // CheckMode
    std::int32_t polling;       // ms
    std::int32_t timeout;       // ms; -1 none
    std::int32_t timeoutLeft;   // ms before ontimeout, after resets; -1 none
    LookSeen look;
    std::uint32_t eventsPlanned; // bits: 1 appear, 2 vanish, 4 renamed, 8 shown, 16 front
    std::uint32_t listening;     // 1: the events are heard now
    std::uint32_t shedUntil;     // tick count when a quiet spell ends; listening is 0 then
    std::uint32_t stormEvents;   // how many came in the 2 s before the last spell
    std::uint32_t lastEvent;     // what woke it last: 1 + EventKind; 0 none yet
    std::uint32_t lastEventAt;   // tick count
    std::int32_t repeat;         // the rule's repeat: 0 once, -1 infinite
    std::uint32_t fired;         // how many times a repeating rule has run exec
    std::uint32_t lastFiredAt;   // tick count of the last time
    std::uint32_t keysLow;       // the hash of the section's key lines as loaded
    std::uint32_t keysHigh;      //   (keyLinesHash), low and high word
    std::uint16_t ruleFile[kRuleFileChars]; // the rule file, as the instance read it (UTF-16)
};

// Whether `size` bytes at `data` are an answer of this version.
bool isStatusAnswer(std::uint32_t dataTag, const void* data, std::size_t size);
// The record's rule file, and setting it (cut to fit, terminated).
std::wstring ruleFileOf(const StatusRecord& record);
void setRuleFile(StatusRecord& record, const std::wstring& file);
std::uint64_t keysHashOf(const StatusRecord& record);
