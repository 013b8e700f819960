// palimoorctl's JSON: objects and arrays written piece by piece, strings
// made visible as shown_text.h makes them.
#pragma once
#include "ctl/io/shown_text.h"
#include <string>
#include <vector>

// JSON in palimoorctl's layout. A block object or array puts each member on a
// line of its own, indented by its depth; an inline one stays on one line.
// The text can be taken piece by piece while it is written.
class JsonWriter {
  public:
    JsonWriter& beginObject(bool block = false) { return open(L'{', block); }
    JsonWriter& beginArray(bool block = false) { return open(L'[', block); }
    JsonWriter& close();
    JsonWriter& key(const wchar_t* name);
    // A value written as it is: a number, true, false or null.
    JsonWriter& value(const std::wstring& json);
    JsonWriter& string(const std::wstring& text) { return value(jsonString(text)); }
    JsonWriter& boolean(bool flag) { return value(flag ? L"true" : L"false"); }
    // The text written since the last call.
    std::wstring take();

  private:
    struct Level {
        wchar_t closing;
        bool block;
        bool empty;
    };
    JsonWriter& open(wchar_t opening, bool block);
    void beforeValue();
    std::vector<Level> levels_;
    bool afterKey_ = false;
    std::wstring text_;
};
