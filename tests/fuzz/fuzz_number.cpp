// The number reader agrees with strtoll inside the 32-bit range and refuses
// outside it; the clamped reader holds the ends.
#include "fuzz_input.h"
#include "rules/number_text.h"
#include <cerrno>
#include <climits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string narrow(reinterpret_cast<const char*>(data), size);
    narrow = narrow.substr(0, narrow.find('\0'));
    const std::wstring wide(narrow.begin(), narrow.end());
    std::int32_t value = 0;
    const bool read = readLeadingInt32(wide, 0, value);
    std::int32_t clamped = 0;
    const bool readClamped = readLeadingClampedInt32(wide, 0, clamped);
    FUZZ_REQUIRE(read == (readClamped && clamped == value) || !read);

    bool ascii = true;
    for (char c : narrow)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii)
        return 0;
    errno = 0;
    char* end = nullptr;
    const long long reference = std::strtoll(narrow.c_str(), &end, 10);
    const bool digits = end != narrow.c_str();
    const bool inRange = errno != ERANGE && reference >= INT32_MIN && reference <= INT32_MAX;
    FUZZ_REQUIRE(read == (digits && inRange));
    if (read)
        FUZZ_REQUIRE(value == reference);
    FUZZ_REQUIRE(readClamped == digits);
    if (digits && !inRange)
        FUZZ_REQUIRE(clamped == (reference < 0 ? INT32_MIN : INT32_MAX));
    return 0;
}
