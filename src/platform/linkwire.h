#pragma once

#include <string>
#include <string_view>
#include <vector>

// The message a second copy sends to the running copy over the instance
// link, in plain C++ so that a second copy can build it without loading Qt
// and the running copy reads it with the very same rules: a fixed 8-byte
// mark, the number of words (32-bit, big-endian), then each word as its
// length in bytes (32-bit, big-endian) and its UTF-8 text. A message is
// bounded: at most kMaxWords words of at most kMaxWordBytes bytes each.
// Anything else is garbage and is dropped whole.
//
// The running copy answers a whole, valid message with the single byte
// kAck before it acts on the words, and closes the connection.
namespace linkwire {

inline constexpr char kMark[8] = {'B', 'R', 'N', 'M', 'X', 'L', 'K', '1'};
inline constexpr int kMaxWords = 8;
// The receiving text box holds at most 32767 characters; a word of this
// many bytes never has more.
inline constexpr int kMaxWordBytes = 32767;
inline constexpr char kAck = 'K';

// Sent before every word, so that the word is always a change of the
// receiving text even when the same command is sent twice in a row.
inline constexpr const char* kDummyWord = "aa";

// Strict UTF-8 without NUL characters: a command line can hold neither
// invalid bytes nor NULs, so either means the bytes are not ours.
bool isWordText(std::string_view bytes);

// `bytes` with every byte that does not begin a well-formed UTF-8
// sequence replaced by U+FFFD, as the running copy's text box would show it.
std::string toUtf8(std::string_view bytes);

// The words a second copy hands over, in order: the dummy word, then
// "quit" when the command line is "/quit" in any case, else the command
// line unchanged (possibly empty). Bytes that are not UTF-8 are replaced.
std::vector<std::string> relayWords(std::string_view commandLine);

// The message for `words`; empty when they break the bounds (too many
// words, a word too long, or one that is not UTF-8 without NULs).
std::string encode(const std::vector<std::string>& words);

enum class Status {
    Incomplete,  // a valid beginning: more bytes are needed
    Complete,    // one whole message, exactly the bytes given
    Invalid,     // garbage, too large, or bytes after the message
};

struct Decoded {
    Status status = Status::Incomplete;
    std::vector<std::string> words;  // only for Complete
};

// Reads the bytes received so far on one connection.
Decoded decode(std::string_view bytes);

}  // namespace linkwire
