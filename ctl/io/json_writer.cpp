#include "ctl/io/json_writer.h"

void JsonWriter::beforeValue() {
    if (afterKey_ || levels_.empty()) {
        afterKey_ = false;
        return;
    }
    Level& level = levels_.back();
    if (!level.empty)
        text_ += level.block ? L"," : L", ";
    if (level.block)
        text_ += L"\n" + std::wstring(2 * levels_.size(), L' ');
    level.empty = false;
}

JsonWriter& JsonWriter::open(wchar_t opening, bool block) {
    beforeValue();
    text_ += opening;
    levels_.push_back({opening == L'{' ? L'}' : L']', block, true});
    return *this;
}

JsonWriter& JsonWriter::close() {
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.block && !level.empty)
        text_ += L"\n" + std::wstring(2 * levels_.size(), L' ');
    text_ += level.closing;
    if (levels_.empty())
        text_ += L"\n";
    return *this;
}

JsonWriter& JsonWriter::key(const wchar_t* name) {
    beforeValue();
    text_ += jsonString(name) + L": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(const std::wstring& json) {
    beforeValue();
    text_ += json;
    return *this;
}

std::wstring JsonWriter::take() {
    std::wstring taken;
    taken.swap(text_);
    return taken;
}
