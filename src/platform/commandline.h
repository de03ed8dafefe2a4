#pragma once

#include <QString>
#include <QStringList>

// Command lines split and joined by the rules of a POSIX shell, without a
// shell: blanks separate words; single quotes keep everything literally;
// double quotes keep blanks, with a backslash escaping $ ` " \ inside them;
// a backslash outside quotes keeps the next character. An unclosed quote
// runs to the end of the line.
namespace commandline {

QStringList split(const QString& line);

// A word quoted so that split() gives it back unchanged.
QString quote(const QString& word);

// Words quoted and joined with single blanks.
QString join(const QStringList& words);

// Splits a command line by the rules of a desktop Exec line: blanks
// separate words, double quotes keep them together, and inside quotes a
// backslash escapes " ` $ and \ ; nothing else is special. False when a
// quote is left open.
bool splitExec(const QString& exec, QStringList& words);

}  // namespace commandline
