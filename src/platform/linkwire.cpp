#include "platform/linkwire.h"

#include <algorithm>
#include <cstdint>

namespace linkwire {

namespace {

constexpr size_t kMarkSize = sizeof(kMark);

void appendNumber(std::string& out, uint32_t v) {
    out += char(v >> 24);
    out += char(v >> 16);
    out += char(v >> 8);
    out += char(v);
}

uint32_t numberAt(std::string_view bytes, size_t at) {
    const auto b = [&](size_t k) { return uint32_t(uint8_t(bytes[at + k])); };
    return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

// The length of the well-formed UTF-8 sequence at `at`, or 0: no overlong
// forms, no surrogates, nothing above U+10FFFF.
size_t sequenceAt(std::string_view s, size_t at) {
    const auto byte = [&](size_t k) { return uint8_t(s[at + k]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length;
    uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
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
    for (size_t k = 2; k < length; ++k)
        if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
    return length;
}

bool isQuit(std::string_view word) {
    constexpr std::string_view kQuit = "/quit";
    return word.size() == kQuit.size() &&
           std::equal(word.begin(), word.end(), kQuit.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
           });
}

}  // namespace

bool isWordText(std::string_view bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const size_t n = sequenceAt(bytes, at);
        if (n == 0 || bytes[at] == '\0') return false;
        at += n;
    }
    return true;
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const size_t n = sequenceAt(bytes, at);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
        } else {
            out.append(bytes.substr(at, n));
            at += n;
        }
    }
    return out;
}

std::vector<std::string> relayWords(std::string_view commandLine) {
    return {kDummyWord, isQuit(commandLine) ? std::string("quit") : toUtf8(commandLine)};
}

std::string encode(const std::vector<std::string>& words) {
    if (words.empty() || words.size() > size_t(kMaxWords)) return {};
    std::string out(kMark, kMarkSize);
    appendNumber(out, uint32_t(words.size()));
    for (const std::string& w : words) {
        if (w.size() > size_t(kMaxWordBytes) || !isWordText(w)) return {};
        appendNumber(out, uint32_t(w.size()));
        out += w;
    }
    return out;
}

Decoded decode(std::string_view bytes) {
    Decoded d;
    const size_t have = bytes.size();
    // The mark is checked on what has arrived, so garbage is refused at once.
    const size_t markSeen = std::min(have, kMarkSize);
    if (bytes.substr(0, markSeen) != std::string_view(kMark, markSeen)) {
        d.status = Status::Invalid;
        return d;
    }
    size_t at = kMarkSize;
    if (have < at + 4) return d;
    const uint32_t count = numberAt(bytes, at);
    at += 4;
    if (count == 0 || count > uint32_t(kMaxWords)) {
        d.status = Status::Invalid;
        return d;
    }
    std::vector<std::string> words;
    for (uint32_t k = 0; k < count; ++k) {
        if (have < at + 4) return d;
        const uint32_t length = numberAt(bytes, at);
        at += 4;
        if (length > uint32_t(kMaxWordBytes)) {
            d.status = Status::Invalid;
            return d;
        }
        if (have < at + length) return d;
        const std::string_view word = bytes.substr(at, length);
        if (!isWordText(word)) {
            d.status = Status::Invalid;
            return d;
        }
        words.emplace_back(word);
        at += length;
    }
    d.status = at == have ? Status::Complete : Status::Invalid;
    if (d.status == Status::Complete) d.words = std::move(words);
    return d;
}

}  // namespace linkwire
