#pragma once

#include <QString>
#include <QStringList>

// The help text of the settings window, and the program's version and home
// page as the build names them.
namespace helptext {

// Major, minor and revision joined by ".".
QString version();
// The project's home page; empty when the build names none.
QString homepage();

// The lines of the help text for a version and a home page (the address
// is left out where it would stand when there is none).
QStringList lines(const QString& version, const QString& homepage);

// The lines joined by CR LF, with no line break after the last one.
QString text(const QString& version, const QString& homepage);

}  // namespace helptext
