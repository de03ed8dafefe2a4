#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "platform/linkwire.h"

// Rules of the command words a start of the program brings: what a second
// copy hands to the running one, and how a digit sequence such as "/123"
// is read.
namespace commandword {

using linkwire::kDummyWord;

// The words a second copy hands over, in order: the dummy word, then
// "quit" when the command line is "/quit" in any case, else the command
// line unchanged (possibly empty). The executable hands them over with
// linkwire::relayWords, which this follows.
QStringList relayWords(const QString& commandLine);

// The numeric test digit sequences are gated by: optional blanks around an
// optionally signed decimal number with an optional decimal point and an
// optional exponent ("E" or "D", optionally signed). "" is not numeric.
bool isNumeric(QStringView text);

// The entry a digit selects: 1 to 9, and 10 for "0"; 0 when `c` is not a
// digit.
int digitEntry(QChar c);

}  // namespace commandword
