// ANSI code pages on a POSIX host, for palimoorctl: the system's converter
// (iconv), held to what Windows' own conversion gives. Measured against
// Windows' conversion byte by byte: in 932 a lead byte takes the next byte
// with it whatever it is (but NUL), a pair or lone lead byte without a
// character reads as U+30FB, and five single bytes have places the converter
// does not know; in 1252 the five undefined bytes read as the C1 controls of
// the same number. Other code pages are the converter's, with U+FFFD where it
// has no answer.
#include "base/code_page.h"
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <vector>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr wchar_t kUnreadable932 = 0x30FB;
constexpr wchar_t kNoAnswer = 0xFFFD;

std::string converterName(unsigned codePage) {
    return codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage);
}

bool isLead932(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Windows' answer for a single byte the converter refuses.
bool windowsSingle(unsigned codePage, unsigned char byte, wchar_t& c) {
    if (codePage == 1252)
        c = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D ? byte : 0;
    else if (codePage == 932)
        c = byte == 0x80      ? 0x80
            : byte == 0xA0    ? 0xF8F0
            : byte >= 0xFD    ? 0xF8F1 + (byte - 0xFD)
            : isLead932(byte) ? kUnreadable932
                              : 0;
    else
        c = 0;
    return c != 0;
}

// The converter's one character for these bytes; `incomplete` when they
// only begin one.
bool convertOne(iconv_t converter, const char* bytes, size_t size, wchar_t& c, bool& incomplete) {
    wchar_t out[2];
    char* in = const_cast<char*>(bytes);
    size_t inLeft = size;
    char* at = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const bool done = iconv(converter, &in, &inLeft, &at, &outLeft) != static_cast<size_t>(-1);
    incomplete = !done && errno == EINVAL;
    if (!done || inLeft != 0 || outLeft != sizeof out - sizeof(wchar_t))
        return false;
    c = out[0];
    return true;
}

// A code page whose every byte is a character (or a lead byte, in 932) is
// decoded by table; any other is streamed through the converter.
struct Decoder {
    explicit Decoder(unsigned codePage) : codePage(codePage) {
        converter = iconv_open("WCHAR_T", converterName(codePage).c_str());
        if (converter == kNoConverter)
            return;
        tables = true;
        for (unsigned byte = 0; byte < 256; ++byte) {
            const char b = static_cast<char>(byte);
            bool incomplete = false;
            if (!convertOne(converter, &b, 1, singles[byte], incomplete) &&
                !windowsSingle(codePage, static_cast<unsigned char>(byte), singles[byte])) {
                tables = tables && (!incomplete || codePage == 932);
                singles[byte] = kNoAnswer;
            }
        }
        if (codePage != 932 || !tables)
            return;
        pairs.resize(128 * 256, kUnreadable932);
        for (unsigned lead = 0x80; lead < 0x100; ++lead) {
            if (!isLead932(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 1; trail < 0x100; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                bool incomplete = false;
                wchar_t c;
                if (convertOne(converter, pair, 2, c, incomplete))
                    pairs[(lead - 0x80) * 256 + trail] = c;
            }
        }
    }
    ~Decoder() {
        if (converter != kNoConverter)
            iconv_close(converter);
    }

    std::wstring decode(const char* bytes, size_t size) const {
        std::wstring text;
        text.reserve(size);
        if (tables) {
            for (size_t i = 0; i < size; ++i) {
                const auto byte = static_cast<unsigned char>(bytes[i]);
                if (!pairs.empty() && isLead932(byte) && i + 1 < size && bytes[i + 1] != '\0')
                    text.push_back(
                        pairs[(byte - 0x80) * 256 + static_cast<unsigned char>(bytes[++i])]);
                else
                    text.push_back(singles[byte]);
            }
            return text;
        }
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(bytes);
        size_t inLeft = size;
        wchar_t buffer[256];
        while (inLeft > 0) {
            char* out = reinterpret_cast<char*>(buffer);
            size_t outLeft = sizeof buffer;
            const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
            text.append(buffer, (sizeof buffer - outLeft) / sizeof(wchar_t));
            if (done == static_cast<size_t>(-1) && errno != E2BIG) {
                text.push_back(kNoAnswer); // the byte is passed over, the rest read on
                ++in;
                --inLeft;
                iconv(converter, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return text;
    }

    unsigned codePage;
    iconv_t converter = kNoConverter;
    bool tables = false;
    wchar_t singles[256] = {};
    std::vector<wchar_t> pairs; // 932: [lead - 0x80][trail]
};

// The handheld's own code page: Palimoor's home is a Japanese Pocket PC.
unsigned selected = 932;
std::unique_ptr<Decoder> decoder;

const Decoder& current() {
    if (!decoder)
        decoder = std::make_unique<Decoder>(selected);
    return *decoder;
}

} // namespace

unsigned ansiCodePage() {
    return selected;
}

bool selectAnsiCodePage(unsigned codePage) {
    auto chosen = std::make_unique<Decoder>(codePage);
    if (chosen->converter == kNoConverter)
        return false;
    decoder = std::move(chosen);
    selected = codePage;
    return true;
}

bool ansiCodePageReadable() {
    return current().converter != kNoConverter;
}

std::wstring decodeAnsiCodePage(const char* bytes, size_t size) {
    return ansiCodePageReadable() ? current().decode(bytes, size) : std::wstring();
}

bool encodeAnsiCodePage(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    const iconv_t encoder = iconv_open(converterName(selected).c_str(), "WCHAR_T");
    if (encoder == kNoConverter)
        return false;
    char* in = reinterpret_cast<char*>(const_cast<wchar_t*>(text.data()));
    size_t inLeft = text.size() * sizeof(wchar_t);
    std::vector<char> out(text.size() * 4 + 16);
    char* at = out.data();
    size_t outLeft = out.size();
    const bool converted = iconv(encoder, &in, &inLeft, &at, &outLeft) != static_cast<size_t>(-1);
    iconv_close(encoder);
    bytes.assign(out.data(), out.size() - outLeft);
    // The converter maps some characters to another's bytes (932: U+00A5 to
    // "\"): only text that reads back as itself is exact.
    return converted && decodeAnsiCodePage(bytes.data(), bytes.size()) == text;
}

bool isAnsiLeadByte(unsigned char byte) {
    return selected == 932 && isLead932(byte);
}

bool ansiCodePageAsWindows() {
    return selected == 932 || selected == 1252;
}
