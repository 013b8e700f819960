// Rule and parameter files as lines of wide text, read as a stream so that
// memory never grows with the file.
//
// A UTF-16 byte-order mark means UTF-16 and a UTF-8 mark means UTF-8 (a
// malformed sequence then reads as U+FFFD); without a mark the bytes are
// UTF-8 when the whole file is valid UTF-8, else the system's ANSI code page.
// The mark never reaches the first line, and the carriage return of a CR LF
// pair is dropped; nothing else is trimmed. Lines count from 1.
#pragma once
#include "base/file_io.h"
#include <string>
#include <type_traits>
#include <vector>

using LineSink = void (*)(void* context, const std::wstring& line, int lineNumber);

enum class TextEncoding { Utf8, Utf8Marked, Utf16Little, Utf16Big, Ansi };

// What the first read found, known before the first line is delivered.
struct TextFileInfo {
    TextEncoding encoding = TextEncoding::Utf8;
    int firstMalformedLine = 0;    // the first line that is not valid UTF-8; 0 when none
    size_t multiByteSequences = 0; // well-formed UTF-8 sequences beyond ASCII
    size_t malformedSequences = 0;

    // Mostly UTF-8 with a few bad bytes, rather than another encoding in
    // which a sequence or two happen to be well-formed UTF-8.
    bool looksLikeUtf8() const {
        return multiByteSequences >= 2 && multiByteSequences >= 2 * malformedSequences;
    }
};

// False only when the file cannot be opened; a read that fails midway ends
// the file there. The file is read twice: once to decide the encoding, once
// to decode it. `info`, when given, is filled before the first line comes.
bool readTextFile(const std::wstring& path, LineSink sink, void* context,
                  TextFileInfo* info = nullptr);

// The same with a lambda or other callable taking (line, lineNumber).
template <typename OnLine>
bool forEachTextLine(const std::wstring& path, OnLine&& onLine, TextFileInfo* info = nullptr) {
    return readTextFile(
        path,
        [](void* context, const std::wstring& line, int number) {
            (*static_cast<std::remove_reference_t<OnLine>*>(context))(line, number);
        },
        &onLine, info);
}

// The same for a file whose encoding is known (surveyed by an earlier read):
// one pass instead of two.
bool readTextFileAs(const std::wstring& path, const TextFileInfo& known, LineSink sink,
                    void* context);
template <typename OnLine>
bool forEachTextLineAs(const std::wstring& path, const TextFileInfo& known, OnLine&& onLine) {
    return readTextFileAs(
        path, known,
        [](void* context, const std::wstring& line, int number) {
            (*static_cast<std::remove_reference_t<OnLine>*>(context))(line, number);
        },
        &onLine);
}

// Each line's bytes, undecoded, for a file that is not UTF-16: what the code
// page saw. False when the file cannot be opened. `known`, when given, is
// what an earlier read found of the file (one pass instead of two).
using RawLineSink = void (*)(void* context, const char* bytes, size_t size, int lineNumber);
bool readRawLines(const std::wstring& path, RawLineSink sink, void* context,
                  const TextFileInfo* known = nullptr);

// The whole decoded text of bytes already in memory, for small inputs.
std::vector<std::wstring> decodeTextLines(const char* bytes, size_t size);
inline std::vector<std::wstring> decodeTextLines(const std::string& bytes) {
    return decodeTextLines(bytes.data(), bytes.size());
}
bool readTextLines(const std::wstring& path, std::vector<std::wstring>& lines);
