#include "rules/text_file.h"
#include "base/utf8_text.h"
#include <cstdint>
#include <cstring>

namespace {

enum class Encoding { Utf8, Utf8Marked, Utf16Little, Utf16Big, Ansi };

std::wstring decodeUtf16(const char* bytes, size_t size, bool bigEndian) {
    const auto unitAt = [&](size_t i) -> std::uint32_t {
        const unsigned a = static_cast<unsigned char>(bytes[i]);
        const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::wstring out;
    out.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) {
        std::uint32_t unit = unitAt(i);
        // Pair surrogates where wide characters are 32 bits wide.
        if (sizeof(wchar_t) == 4 && unit >= 0xD800 && unit < 0xDC00 && i + 3 < size) {
            const std::uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        out.push_back(static_cast<wchar_t>(unit));
    }
    return out;
}

// Both passes split the bytes into lines before decoding them: a line feed is
// the byte 0x0A in UTF-8 and in the ANSI code pages (never a trail byte there),
// and the unit 0x000A in UTF-16. So a chunk boundary never cuts a character
// that is decoded, and only one line's bytes are held at a time.
struct LineSplitter {
    Encoding encoding = Encoding::Utf8;
    size_t skip = 0;        // mark bytes still to drop
    std::vector<char> line; // bytes of the line so far
    bool oddByte = false;   // UTF-16: `line` ends in half a unit
    int number = 0;

    bool wide() const { return encoding == Encoding::Utf16Little || encoding == Encoding::Utf16Big; }

    // Calls onLine(bytes, size, endedByLineFeed) for each complete line.
    template <typename OnLine> void feed(const char* bytes, size_t size, OnLine&& onLine) {
        for (size_t i = 0; i < size; ++i) {
            if (skip > 0) {
                --skip;
                continue;
            }
            line.push_back(bytes[i]);
            if (wide()) {
                oddByte = !oddByte;
                if (oddByte)
                    continue;
                const size_t n = line.size();
                const bool feedUnit = encoding == Encoding::Utf16Little
                                          ? line[n - 2] == '\n' && line[n - 1] == '\0'
                                          : line[n - 2] == '\0' && line[n - 1] == '\n';
                if (feedUnit) {
                    line.resize(n - 2);
                    onLine(line.data(), line.size(), true);
                    line.clear();
                }
            } else if (bytes[i] == '\n') {
                line.pop_back();
                onLine(line.data(), line.size(), true);
                line.clear();
            }
        }
    }

    template <typename OnLine> void finish(OnLine&& onLine) {
        if (!line.empty())
            onLine(line.data(), line.size(), false);
        line.clear();
    }
};

// First pass: the mark, and whether unmarked bytes are valid UTF-8.
struct Survey {
    char head[3] = {};
    size_t headSize = 0;
    bool validUtf8 = true;
    LineSplitter splitter;

    void feed(const char* bytes, size_t size) {
        for (size_t i = 0; i < size && headSize < sizeof head; ++i)
            head[headSize++] = bytes[i];
        if (validUtf8) {
            splitter.feed(bytes, size, [&](const char* line, size_t n, bool) {
                validUtf8 = validUtf8 && isValidUtf8(line, n);
            });
        }
    }

    bool headIs(const char* mark, size_t length) const {
        return headSize >= length && std::memcmp(head, mark, length) == 0;
    }

    Encoding decide(size_t& markSize) {
        splitter.finish([&](const char* line, size_t n, bool) {
            validUtf8 = validUtf8 && isValidUtf8(line, n);
        });
        markSize = 2;
        if (headIs("\xFF\xFE", 2))
            return Encoding::Utf16Little;
        if (headIs("\xFE\xFF", 2))
            return Encoding::Utf16Big;
        markSize = 3;
        if (headIs("\xEF\xBB\xBF", 3))
            return Encoding::Utf8Marked;
        markSize = 0;
        return validUtf8 ? Encoding::Utf8 : Encoding::Ansi;
    }
};

// Second pass: decoded lines to the sink.
struct Decoder {
    LineSplitter splitter;
    LineSink sink;
    void* context;
    std::wstring text;

    void emit(const char* bytes, size_t size, bool endedByLineFeed) {
        switch (splitter.encoding) {
        case Encoding::Utf8:
        case Encoding::Utf8Marked:
            text = decodeUtf8(bytes, size);
            break;
        case Encoding::Utf16Little:
        case Encoding::Utf16Big:
            text = decodeUtf16(bytes, size, splitter.encoding == Encoding::Utf16Big);
            break;
        case Encoding::Ansi:
            text = decodeAnsiCodePage(bytes, size);
            break;
        }
        if (endedByLineFeed && !text.empty() && text.back() == L'\r')
            text.pop_back();
        sink(context, text, ++splitter.number);
    }

    void feed(const char* bytes, size_t size) {
        splitter.feed(bytes, size,
                      [&](const char* line, size_t n, bool lineFeed) { emit(line, n, lineFeed); });
    }
    void finish() {
        splitter.finish([&](const char* line, size_t n, bool lineFeed) { emit(line, n, lineFeed); });
    }
};

// Reading bytes from a file or from memory, the same two passes either way.
struct ByteSource {
    const std::wstring* path;
    const char* bytes;
    size_t size;

    template <typename Consumer> bool readAll(Consumer& consumer) const {
        const ChunkSink sink = [](void* context, const char* chunk, size_t n) {
            static_cast<Consumer*>(context)->feed(chunk, n);
        };
        if (path)
            return readFileChunks(*path, sink, &consumer);
        sink(&consumer, bytes, size);
        return true;
    }
};

bool decodeSource(const ByteSource& source, LineSink sink, void* context) {
    Survey survey;
    if (!source.readAll(survey))
        return false;
    Decoder decoder{{}, sink, context, {}};
    decoder.splitter.encoding = survey.decide(decoder.splitter.skip);
    if (!source.readAll(decoder))
        return false;
    decoder.finish();
    return true;
}

void appendLine(void* context, const std::wstring& line, int) {
    static_cast<std::vector<std::wstring>*>(context)->push_back(line);
}

} // namespace

bool readTextFile(const std::wstring& path, LineSink sink, void* context) {
    return decodeSource({&path, nullptr, 0}, sink, context);
}

std::vector<std::wstring> decodeTextLines(const char* bytes, size_t size) {
    std::vector<std::wstring> lines;
    decodeSource({nullptr, bytes, size}, appendLine, &lines);
    return lines;
}

bool readTextLines(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    return readTextFile(path, appendLine, &lines);
}
