#pragma once

#include <QString>
#include <QStringList>

// The desktop's own programs that stand in for the Windows programs lists
// name ("notepad.exe", "calc.exe", "IExplore.exe", explorer, cmd), and
// where to look for each: the desktop's default application for a MIME
// type, an environment variable, then programs commonly installed.
namespace desktopapps {

enum class Role { None, TextEditor, Calculator, WebBrowser, FileManager, Terminal };

// The role of a bare program name, with or without ".exe", any case.
Role wellKnownRole(const QString& name);

struct Candidates {
    QString mimeType;     // whose default application fills the role
    QString environment;  // variable naming a program for the role
    QStringList programs;
};
Candidates candidatesFor(Role role);

// The run dialogs of desktops, as command lines, in order of preference.
QList<QStringList> runDialogCommands();

// A name without a trailing ".exe" (any case).
QString withoutExe(const QString& name);

}  // namespace desktopapps
