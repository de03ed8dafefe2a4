#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include "platform/linkwire.h"

// The instance link's message (see linkwire.h) in Qt's types, for the
// running copy's end of the link and the tools that test it. The bytes are
// made and read by linkwire alone, so both ends keep to one protocol.
namespace linkmessage {

using linkwire::kAck;
using linkwire::kMark;
using linkwire::kMaxWordBytes;
using linkwire::kMaxWords;

// The message for `words`; empty when they break the bounds (too many
// words, or a word too long).
QByteArray encode(const QStringList& words);

using linkwire::Status;

struct Decoded {
    Status status = Status::Incomplete;
    QStringList words;  // only for Complete
};

// Reads the bytes received so far on one connection.
Decoded decode(QByteArrayView bytes);

}  // namespace linkmessage
