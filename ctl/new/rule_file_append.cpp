#include "ctl/new/rule_file_append.h"
#include "base/code_page.h"
#include "base/file_io.h"
#include "base/utf8_text.h"
#include "rules/text_file.h"

namespace {

void appendUtf16(std::string& out, const std::wstring& text, bool bigEndian) {
    std::u16string units;
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) { // only where wide characters are 32 bits
            units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    for (char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
}

} // namespace

bool withSectionAdded(const std::wstring& path, const std::wstring& text, std::string& content,
                      bool& exists, std::wstring& why) {
    content.clear();
    exists = readFileChunks(
        path,
        [](void* context, const char* bytes, size_t size) {
            static_cast<std::string*>(context)->append(bytes, size);
        },
        &content);
    TextFileInfo info;
    if (exists)
        forEachTextLine(
            path, [](const std::wstring&, int) {}, &info);
    const bool little = info.encoding == TextEncoding::Utf16Little;
    const bool big = info.encoding == TextEncoding::Utf16Big;
    // A line feed, and a CR LF pair, as the file's encoding writes them.
    const std::string lineFeed = little ? std::string("\n\0", 2)
                                 : big  ? std::string("\0\n", 2)
                                        : "\n";
    const std::string crlfBytes = little ? std::string("\r\0\n\0", 4)
                                  : big  ? std::string("\0\r\0\n", 4)
                                         : "\r\n";
    const bool fresh = !exists || content.empty();
    // Line ends as the file has them; a new file gets Windows' own.
    const bool crlf = fresh || content.find(crlfBytes) != std::string::npos;
    const bool endsInLineFeed =
        content.size() >= lineFeed.size() &&
        content.compare(content.size() - lineFeed.size(), lineFeed.size(), lineFeed) == 0;
    std::wstring lines;
    if (!fresh)
        lines += endsInLineFeed ? L"" : (crlf ? L"\r\n" : L"\n");
    if (!fresh)
        lines += crlf ? L"\r\n" : L"\n"; // a blank line before the section
    for (wchar_t c : text)
        lines += c == L'\n' && crlf ? std::wstring(L"\r\n") : std::wstring(1, c);
    if (fresh) {
        content = "\xEF\xBB\xBF" + toUtf8(lines);
        return true;
    }
    switch (info.encoding) {
    case TextEncoding::Utf16Little:
    case TextEncoding::Utf16Big:
        appendUtf16(content, lines, info.encoding == TextEncoding::Utf16Big);
        return true;
    case TextEncoding::Ansi: {
        std::string bytes;
        if (!encodeAnsiCodePage(lines, bytes)) {
            why = L"the section holds a character that code page " +
                  std::to_wstring(ansiCodePage()) +
                  L", the file's, has no place for; save the file as UTF-8 first";
            return false;
        }
        content += bytes;
        return true;
    }
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Marked:
        break;
    }
    content += toUtf8(lines);
    return true;
}
