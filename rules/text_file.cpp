#include "rules/text_file.h"
#include "base/code_page.h"
#include "base/utf8_text.h"
#include <cstdint>
#include <cstring>

namespace {

using Encoding = TextEncoding;

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
// that is decoded, and only one line's bytes are held at a time. The first
// pass surveys the lines to decide the encoding, the second decodes them.
struct TextPass {
    bool surveying = false;
    Encoding encoding = Encoding::Utf8;
    size_t skip = 0;        // mark bytes still to drop
    std::vector<char> line; // bytes of the line so far
    bool oddByte = false;   // UTF-16: `line` ends in half a unit
    int number = 0;
    // Survey: the first bytes, and whether every line is valid UTF-8.
    char head[3] = {};
    size_t headSize = 0;
    int firstMalformedLine = 0;
    size_t multiByte = 0;
    size_t malformed = 0;
    // Decoding: where the lines go, decoded or (rawSink) as they are.
    LineSink sink = nullptr;
    RawLineSink rawSink = nullptr;
    void* context = nullptr;
    std::wstring text;

    bool wide() const {
        return encoding == Encoding::Utf16Little || encoding == Encoding::Utf16Big;
    }

    void feed(const char* bytes, size_t size) {
        size_t i = 0;
        for (; i < size && ((surveying && headSize < sizeof head) || skip > 0); ++i) {
            if (surveying && headSize < sizeof head)
                head[headSize++] = bytes[i];
            if (skip > 0)
                --skip;
            else
                feedByte(bytes[i]);
        }
        if (wide()) {
            for (; i < size; ++i)
                feedByte(bytes[i]);
            return;
        }
        // A narrow line feed is one byte: whole runs up to it go in at once.
        while (i < size) {
            const void* found = std::memchr(bytes + i, '\n', size - i);
            const size_t end =
                found ? static_cast<size_t>(static_cast<const char*>(found) - bytes) : size;
            line.insert(line.end(), bytes + i, bytes + end);
            if (!found)
                return;
            takeLine(true);
            i = end + 1;
        }
    }

    void feedByte(char byte) {
        line.push_back(byte);
        if (!wide()) {
            if (byte == '\n') {
                line.pop_back();
                takeLine(true);
            }
            return;
        }
        oddByte = !oddByte;
        const size_t n = line.size();
        if (oddByte)
            return;
        const bool lineFeed = encoding == Encoding::Utf16Little
                                  ? line[n - 2] == '\n' && line[n - 1] == '\0'
                                  : line[n - 2] == '\0' && line[n - 1] == '\n';
        if (lineFeed) {
            line.resize(n - 2);
            takeLine(true);
        }
    }

    void finish() {
        if (wide() && oddByte) // half a unit at the end is no character
            line.pop_back();
        oddByte = false;
        if (!line.empty())
            takeLine(false);
    }

    void takeLine(bool endedByLineFeed) {
        ++number;
        if (surveying) {
            if (!isValidUtf8(line.data(), line.size(), multiByte, malformed) &&
                firstMalformedLine == 0)
                firstMalformedLine = number;
        } else if (rawSink) {
            rawSink(context, line.data(), line.size(), number);
        } else {
            switch (encoding) {
            case Encoding::Utf8:
            case Encoding::Utf8Marked:
                decodeUtf8(line.data(), line.size(), text);
                break;
            case Encoding::Utf16Little:
            case Encoding::Utf16Big:
                text = decodeUtf16(line.data(), line.size(), encoding == Encoding::Utf16Big);
                break;
            case Encoding::Ansi:
                text = decodeAnsiCodePage(line.data(), line.size());
                break;
            }
            if (endedByLineFeed && !text.empty() && text.back() == L'\r')
                text.pop_back();
            sink(context, text, number);
        }
        line.clear();
    }

    bool headIs(const char* mark, size_t length) const {
        return headSize >= length && std::memcmp(head, mark, length) == 0;
    }

    // After the survey: the encoding for the second pass, and its mark's size.
    Encoding decide(size_t& markSize) const {
        markSize = 2;
        if (headIs("\xFF\xFE", 2))
            return Encoding::Utf16Little;
        if (headIs("\xFE\xFF", 2))
            return Encoding::Utf16Big;
        markSize = 3;
        if (headIs("\xEF\xBB\xBF", 3))
            return Encoding::Utf8Marked;
        markSize = 0;
        return firstMalformedLine == 0 ? Encoding::Utf8 : Encoding::Ansi;
    }
};

void feedPass(void* pass, const char* bytes, size_t size) {
    static_cast<TextPass*>(pass)->feed(bytes, size);
}

// Reading bytes from a file or from memory, the same two passes either way.
struct ByteSource {
    const std::wstring* path;
    const char* bytes;
    size_t size;

    bool readAll(TextPass& pass) const {
        if (path && !readFileChunks(*path, feedPass, &pass))
            return false;
        if (!path)
            pass.feed(bytes, size);
        pass.finish();
        return true;
    }
};

bool decodeSource(const ByteSource& source, LineSink sink, RawLineSink rawSink, void* context,
                  TextFileInfo* info, const TextFileInfo* known = nullptr) {
    TextPass decoder;
    decoder.sink = sink;
    decoder.rawSink = rawSink;
    decoder.context = context;
    if (known) { // surveyed already: one pass
        decoder.encoding = known->encoding;
        decoder.skip = decoder.wide() ? 2 : known->encoding == Encoding::Utf8Marked ? 3 : 0;
        return (rawSink && decoder.wide()) || source.readAll(decoder);
    }
    TextPass survey;
    survey.surveying = true;
    if (!source.readAll(survey))
        return false;
    decoder.encoding = survey.decide(decoder.skip);
    if (info)
        *info = {decoder.encoding, survey.firstMalformedLine, survey.multiByte, survey.malformed};
    if (rawSink && decoder.wide())
        return true;
    return source.readAll(decoder);
}

void appendLine(void* context, const std::wstring& line, int) {
    static_cast<std::vector<std::wstring>*>(context)->push_back(line);
}

} // namespace

bool readTextFile(const std::wstring& path, LineSink sink, void* context, TextFileInfo* info) {
    return decodeSource({&path, nullptr, 0}, sink, nullptr, context, info);
}

bool readTextFileAs(const std::wstring& path, const TextFileInfo& known, LineSink sink,
                    void* context) {
    return decodeSource({&path, nullptr, 0}, sink, nullptr, context, nullptr, &known);
}

bool readRawLines(const std::wstring& path, RawLineSink sink, void* context,
                  const TextFileInfo* known) {
    return decodeSource({&path, nullptr, 0}, nullptr, sink, context, nullptr, known);
}

std::vector<std::wstring> decodeTextLines(const char* bytes, size_t size) {
    std::vector<std::wstring> lines;
    decodeSource({nullptr, bytes, size}, appendLine, nullptr, &lines, nullptr);
    return lines;
}

bool readTextLines(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    return readTextFile(path, appendLine, &lines);
}
