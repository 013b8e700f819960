#include "shell/status_record.h"
#include <cstring>

bool isStatusRequest(std::uint32_t dataTag, const void* data, std::size_t size) {
    if (dataTag != kStatusRequestTag || size != sizeof(StatusRequest) || !data)
        return false;
    StatusRequest request;
    std::memcpy(&request, data, sizeof request);
    return request.tag == kStatusRequestTag && request.version == kStatusVersion &&
           request.reply != 0;
}

bool isStatusAnswer(std::uint32_t dataTag, const void* data, std::size_t size) {
    if (dataTag != kStatusAnswerTag || size != sizeof(StatusRecord) || !data)
        return false;
    StatusRecord record;
    std::memcpy(&record, data, sizeof record);
    return record.tag == kStatusAnswerTag && record.version == kStatusVersion &&
           record.size == sizeof(StatusRecord);
}

std::wstring ruleFileOf(const StatusRecord& record) {
    std::wstring file;
    for (std::size_t i = 0; i < kRuleFileChars && record.ruleFile[i]; ++i)
        file += static_cast<wchar_t>(record.ruleFile[i]);
    return file;
}

void setRuleFile(StatusRecord& record, const std::wstring& file) {
    const std::size_t length = file.size() < kRuleFileChars - 1 ? file.size() : kRuleFileChars - 1;
    for (std::size_t i = 0; i < length; ++i)
        record.ruleFile[i] = static_cast<std::uint16_t>(file[i]);
    record.ruleFile[length] = 0;
}

std::uint64_t keysHashOf(const StatusRecord& record) {
    return (static_cast<std::uint64_t>(record.keysHigh) << 32) | record.keysLow;
}

void SharedLook::write(const LookSeen& seen) {
    std::uint32_t words[kWords];
    std::memcpy(words, &seen, sizeof words);
    const std::uint32_t sequence = sequence_.load(std::memory_order_relaxed);
    sequence_.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    for (std::size_t i = 0; i < kWords; ++i)
        words_[i].store(words[i], std::memory_order_relaxed);
    sequence_.store(sequence + 2, std::memory_order_release);
}

LookSeen SharedLook::read() const {
    std::uint32_t words[kWords];
    for (;;) {
        const std::uint32_t before = sequence_.load(std::memory_order_acquire);
        for (std::size_t i = 0; i < kWords; ++i)
            words[i] = words_[i].load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if ((before & 1) == 0 && sequence_.load(std::memory_order_relaxed) == before)
            break;
    }
    LookSeen seen;
    std::memcpy(&seen, words, sizeof seen);
    return seen;
}
