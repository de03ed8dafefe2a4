#include "platform/linkwire.h"

#include <algorithm>
#include <cstdint>

#include "lists/utf8.h"

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
        const size_t n = utf8::sequenceAt(bytes, at);
        if (n == 0 || bytes[at] == '\0') return false;
        at += n;
    }
    return true;
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const size_t n = utf8::sequenceAt(bytes, at);
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
