// Small text helpers for palimoorctl's output. Nothing read from a rule file,
// a command line or another program's window reaches the terminal raw: a
// control character there could retitle or clear it, and an invisible one
// would hide what the program really sees.
#pragma once
#include <string>
#include <vector>

// The text with every control character (C0, DEL, C1) and every invisible or
// direction-changing one (U+00A0, U+00AD, U+200B-U+200F, U+2028-U+202E,
// U+2060-U+206F, U+FEFF, lone surrogates, ...) as \uXXXX.
std::wstring visible(const std::wstring& text);
// The same in double quotes, with tab, CR, LF and " as \t, \r, \n and \".
std::wstring quoted(const std::wstring& text);
// A JSON string literal, escaped as visible() escapes.
std::wstring jsonString(const std::wstring& text);
std::wstring trimBlanks(const std::wstring& text); // spaces, tabs, ideographic spaces

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
