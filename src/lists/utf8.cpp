#include "lists/utf8.h"

#include <cstdint>

namespace utf8 {

std::size_t sequenceAt(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t k) { return std::uint8_t(s[at + k]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length;
    std::uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() - at < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
    return length;
}

bool isValid(std::string_view s) {
    for (std::size_t at = 0; at < s.size();) {
        // Most list text is ASCII: step over it without the sequence rules.
        if (std::uint8_t(s[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t n = sequenceAt(s, at);
        if (n == 0) return false;
        at += n;
    }
    return true;
}

}  // namespace utf8
