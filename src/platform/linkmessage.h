#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// The message a second copy sends to the running copy over the instance
// link: a fixed 8-byte mark, the number of words (32-bit, big-endian), then
// each word as its length in bytes (32-bit, big-endian) and its UTF-8
// text. A message is bounded: at most kMaxWords words of at most
// kMaxWordBytes bytes each. Anything else is garbage and is dropped whole.
//
// The running copy answers a whole, valid message with the single byte
// kAck before it acts on the words, and closes the connection.
namespace linkmessage {

inline constexpr char kMark[8] = {'B', 'R', 'N', 'M', 'X', 'L', 'K', '1'};
inline constexpr int kMaxWords = 8;
// The receiving text box holds at most 32767 characters; a word of this
// many bytes never has more.
inline constexpr int kMaxWordBytes = 32767;
inline constexpr char kAck = 'K';

// The message for `words`; empty when they break the bounds (too many
// words, or a word too long).
QByteArray encode(const QStringList& words);

enum class Status {
    Incomplete,  // a valid beginning: more bytes are needed
    Complete,    // one whole message, exactly the bytes given
    Invalid,     // garbage, too large, or bytes after the message
};

struct Decoded {
    Status status = Status::Incomplete;
    QStringList words;  // only for Complete
};

// Reads the bytes received so far on one connection.
Decoded decode(QByteArrayView bytes);

}  // namespace linkmessage
