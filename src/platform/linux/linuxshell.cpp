// The desktop shell on Linux: opening files, folders and addresses,
// starting programs detached from the launcher, desktop shortcuts, and the
// desktop's stand-ins for the Windows programs that lists name.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <optional>

#include "lists/textfile.h"
#include "platform/commandline.h"
#include "platform/linux/desktopapps.h"
#include "platform/linux/desktopentry.h"
#include "platform/linux/linuxplatform.h"

namespace {

using desktopapps::Role;

// The codes callers have always examined: above 32 started, 2 not found.
constexpr int kStarted = 42;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kNoAssociation = 31;

constexpr int kMaxCompletions = 500;

struct Launch {
    QString program;  // an absolute path
    QStringList args;
    QString dir;  // working directory; empty keeps the launcher's
};

// What an attempt came to; `problem` is for the user when something that
// exists could not be started.
struct Outcome {
    int code = kStarted;
    QString problem;
};

bool isAddress(const QString& s) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(s).hasMatch() ||
           s.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
}

bool isExecutableFile(const QFileInfo& fi) {
    return fi.isFile() && fi.isExecutable();
}

// A program on PATH, also found under its name without ".exe".
QString onPath(const QString& name) {
    if (name.isEmpty() || name.contains(u'/')) return {};
    QString found = QStandardPaths::findExecutable(name);
    const QString bare = desktopapps::withoutExe(name);
    if (found.isEmpty() && bare != name && !bare.isEmpty())
        found = QStandardPaths::findExecutable(bare);
    return found;
}

std::optional<desktopentry::Entry> readEntry(const QString& path) {
    QByteArray text;
    if (textfile::readBytes(path, text, desktopentry::kMaxFileSize) != textfile::ReadStatus::Ok)
        return std::nullopt;
    desktopentry::Entry e = desktopentry::parse(QString::fromUtf8(text));
    if (!e.valid) return std::nullopt;
    return e;
}

Outcome start(const Launch& l) {
    if (!l.dir.isEmpty() && !QFileInfo(l.dir).isDir())
        return {kPathNotFound,
                QStringLiteral("Could not start \"%1\": the folder \"%2\" does not exist.")
                    .arg(l.program, l.dir)};
    QProcess p;
    p.setProgram(l.program);
    p.setArguments(l.args);
    p.setWorkingDirectory(l.dir);
    // Detached: the program lives on when the launcher ends.
    if (!p.startDetached()) {
        QString text = QStringLiteral("Could not start \"%1\".").arg(l.program);
        if (!p.errorString().isEmpty()) text += u'\n' + p.errorString();
        return {kAccessDenied, text};
    }
    return {};
}

// The desktop's default application for a MIME type, as its desktop file.
QString defaultApplicationFile(const QString& mimeType) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (tool.isEmpty()) return {};
    QProcess p;
    p.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    const QString id = QString::fromUtf8(p.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
    if (id.isEmpty() || id.contains(u'/')) return {};
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
}

bool roleLaunch(Role role, const QStringList& args, const QString& dir, Launch& out);

// How a desktop entry of type Application starts, with `files` for its
// field codes. Code 2 when its program is not installed.
Outcome entryLaunch(const desktopentry::Entry& e, const QString& location, const QStringList& files,
                    const QString& dir, Launch& out) {
    QStringList words;
    if (!desktopentry::splitExec(e.exec, words))
        return {kNoAssociation,
                QStringLiteral("The Exec line of \"%1\" has an unclosed quote.").arg(location)};
    words = desktopentry::expandFieldCodes(words, files, e, location);
    if (words.isEmpty())
        return {kNoAssociation, QStringLiteral("\"%1\" names no program to start.").arg(location)};
    const QString program = words.takeFirst();
    const QString resolved = program.contains(u'/')
                                 ? QFileInfo(LinuxPlatform::expandHome(program)).absoluteFilePath()
                                 : onPath(program);
    if (resolved.isEmpty() || !isExecutableFile(QFileInfo(resolved))) return {kFileNotFound, {}};
    out.dir = e.path.isEmpty() ? dir : LinuxPlatform::expandHome(e.path);
    if (!e.terminal) {
        out.program = resolved;
        out.args = words;
        return {};
    }
    Launch terminal;
    if (!roleLaunch(Role::Terminal, {}, {}, terminal))
        return {kNoAssociation,
                QStringLiteral("No terminal emulator is installed to run \"%1\".").arg(location)};
    out.program = terminal.program;
    out.args = terminal.args +
               desktopentry::terminalArguments(terminal.program, QStringList{resolved} + words);
    return {};
}

// The installed program standing in for `role`, handed `args`.
bool roleLaunch(Role role, const QStringList& args, const QString& dir, Launch& out) {
    const desktopapps::Candidates c = desktopapps::candidatesFor(role);
    if (!c.mimeType.isEmpty()) {
        const QString file = defaultApplicationFile(c.mimeType);
        if (!file.isEmpty()) {
            const std::optional<desktopentry::Entry> e = readEntry(file);
            if (e && entryLaunch(*e, file, args, dir, out).code == kStarted) return true;
        }
    }
    if (!c.environment.isEmpty()) {
        // Such variables may list several programs, ":"-separated.
        QStringList words =
            commandline::split(qEnvironmentVariable(c.environment.toLatin1()).section(u':', 0, 0));
        if (!words.isEmpty()) {
            const QString first = words.takeFirst();
            const QString program = first.contains(u'/') ? first : onPath(first);
            if (!program.isEmpty() && isExecutableFile(QFileInfo(program))) {
                out = {program, words + args, dir};
                return true;
            }
        }
    }
    for (const QString& name : c.programs) {
        const QString program = onPath(name);
        if (!program.isEmpty()) {
            out = {program, args, dir};
            return true;
        }
    }
    return false;
}

// Hands a document, folder or address to the desktop's opener.
Outcome openWithDesktop(const QString& target, Role fallback) {
    if (const QString opener = onPath(QStringLiteral("xdg-open")); !opener.isEmpty())
        return start({opener, {target}, {}});
    if (const QString gio = onPath(QStringLiteral("gio")); !gio.isEmpty())
        return start({gio, {QStringLiteral("open"), target}, {}});
    Launch l;
    if (fallback != Role::None && roleLaunch(fallback, {target}, {}, l)) return start(l);
    // Say what was looked for, so the user knows what to install.
    QString why = QStringLiteral("neither xdg-open nor gio is on PATH");
    if (fallback == Role::WebBrowser)
        why += QStringLiteral(", and no web browser was found ($BROWSER, %1)")
                   .arg(desktopapps::candidatesFor(fallback).programs.join(QStringLiteral(", ")));
    return {kNoAssociation,
            QStringLiteral("There is no program to open \"%1\": %2.").arg(target, why)};
}

Outcome openDesktopFile(const QString& path, const QStringList& files, const QString& dir) {
    const std::optional<desktopentry::Entry> e = readEntry(path);
    if (!e) return openWithDesktop(path, Role::None);
    if (e->type == u"Link") {
        if (e->url.isEmpty())
            return {kNoAssociation, QStringLiteral("\"%1\" holds no address.").arg(path)};
        return openWithDesktop(e->url, Role::WebBrowser);
    }
    Launch l;
    const Outcome o = entryLaunch(*e, path, files, dir, l);
    if (o.code != kStarted) return o;
    return start(l);
}

Outcome execute(const QString& file, const QString& params, const QString& dirGiven) {
    if (file.trimmed().isEmpty()) return {kFileNotFound, {}};
    const QString dir = LinuxPlatform::expandHome(dirGiven);
    const QStringList args = commandline::split(params);
    if (isAddress(file)) return openWithDesktop(file, Role::WebBrowser);

    QString path = LinuxPlatform::expandHome(file);
    if (!path.contains(u'/')) {
        // A bare name: a file in the working directory first, then the
        // desktop's stand-ins for well-known programs, then PATH.
        QString inDir;
        if (!dir.isEmpty()) {
            for (const QString& name : {path, desktopapps::withoutExe(path)}) {
                const QString candidate = QDir(dir).filePath(name);
                if (!name.isEmpty() && QFileInfo::exists(candidate)) {
                    inDir = candidate;
                    break;
                }
            }
        }
        if (inDir.isEmpty()) {
            const Role role = desktopapps::wellKnownRole(path);
            Launch l;
            if (role != Role::None) {
                if (!roleLaunch(role, args, dir, l)) return {kFileNotFound, {}};
                return start(l);
            }
            const QString program = onPath(path);
            if (program.isEmpty()) return {kFileNotFound, {}};
            return start({program, args, dir});
        }
        path = inDir;
    } else if (!path.startsWith(u'/')) {
        path = QDir(dir.isEmpty() ? QDir::currentPath() : dir).filePath(path);
    }

    const QFileInfo fi(path);
    if (!fi.exists()) return {kFileNotFound, {}};
    if (fi.isDir())
        return openWithDesktop(QDir::cleanPath(fi.absoluteFilePath()), Role::FileManager);
    if (path.endsWith(QStringLiteral(".desktop"), Qt::CaseInsensitive))
        return openDesktopFile(fi.absoluteFilePath(), args, dir);
    if (fi.isExecutable()) return start({fi.absoluteFilePath(), args, dir});
    return openWithDesktop(fi.absoluteFilePath(), Role::None);
}

QStringList scanPath(const QString& pathVariable) {
    QStringList programs;
    for (const QString& folder : pathVariable.split(u':', Qt::SkipEmptyParts)) {
        const QFileInfoList files =
            QDir(folder).entryInfoList(QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
        for (const QFileInfo& fi : files) programs << fi.fileName();
    }
    programs.sort();
    programs.removeDuplicates();
    return programs;
}

}  // namespace

int LinuxPlatform::shellExecute(const QString& file, const QString& params, const QString& dir) {
    const Outcome o = execute(file, params, dir);
    if (!o.problem.isEmpty()) emit programNotStarted(o.problem);
    return o.code;
}

bool LinuxPlatform::startCommandLine(const QString& commandLine, int showState) {
    Q_UNUSED(showState);  // window states are only requests; none is made
    QStringList words = commandline::split(commandLine);
    if (words.isEmpty()) return false;
    const QString name = words.takeFirst();
    Launch l;
    bool found = false;
    if (name.contains(u'/')) {
        const QFileInfo fi(LinuxPlatform::expandHome(name));
        found = isExecutableFile(fi);
        l = {fi.absoluteFilePath(), words, {}};
    } else if (const Role role = desktopapps::wellKnownRole(name); role != Role::None) {
        found = roleLaunch(role, words, {}, l);
    } else if (const QString program = onPath(name); !program.isEmpty()) {
        found = true;
        l = {program, words, {}};
    }
    if (!found) {
        emit programNotStarted(QStringLiteral("Could not find the program \"%1\".").arg(name));
        return false;
    }
    const Outcome o = start(l);
    if (!o.problem.isEmpty()) emit programNotStarted(o.problem);
    return o.code == kStarted;
}

bool LinuxPlatform::openRunDialog() {
    for (const QStringList& command : desktopapps::runDialogCommands()) {
        const QString program = onPath(command.first());
        if (program.isEmpty()) continue;
        const Outcome o = start({program, command.mid(1), {}});
        if (!o.problem.isEmpty()) emit programNotStarted(o.problem);
        return o.code == kStarted;
    }
    return false;
}

bool LinuxPlatform::readShortcut(const QString& path, Shortcut& out) {
    // Only Desktop Entry files can be read here; a Windows ".lnk" cannot.
    if (!path.endsWith(QStringLiteral(".desktop"), Qt::CaseInsensitive)) return false;
    const std::optional<desktopentry::Entry> e = readEntry(LinuxPlatform::expandHome(path));
    if (!e) return false;
    Shortcut s;
    s.workingDirectory = e->path;
    s.iconFile = e->icon;
    if (e->type == u"Link") {
        if (e->url.isEmpty()) return false;
        s.target = e->url;
        out = s;
        return true;
    }
    QStringList words;
    if (!desktopentry::splitExec(e->exec, words)) return false;
    words = desktopentry::expandFieldCodes(words, {}, *e, path);
    if (words.isEmpty()) return false;
    if (e->terminal) {
        // The shortcut runs its command inside a terminal emulator: that
        // emulator is what starts.
        Launch terminal;
        if (!roleLaunch(Role::Terminal, {}, {}, terminal)) return false;
        s.target = terminal.program;
        words = terminal.args + desktopentry::terminalArguments(terminal.program, words);
    } else {
        s.target = words.takeFirst();
    }
    s.arguments = commandline::join(words);
    out = s;
    return true;
}

QString LinuxPlatform::findProgram(const QString& name, const QString& programFolder) {
    const QString base = desktopapps::withoutExe(name);
    if (base.isEmpty() || base.contains(u'/')) return {};
    if (!programFolder.isEmpty()) {
        const QFileInfo fi(QDir(programFolder).filePath(base));
        if (isExecutableFile(fi)) return fi.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(base);
}

QStringList LinuxPlatform::runCompletions(const QString& text) {
    QStringList out;
    if (text.isEmpty()) return out;
    const qsizetype cut = text.lastIndexOf(u'/');
    if (cut >= 0) {
        const QString folderPart = text.left(cut + 1);
        const QString namePart = text.mid(cut + 1);
        QDir::Filters filters = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System;
        if (namePart.startsWith(u'.')) filters |= QDir::Hidden;
        const QFileInfoList entries =
            QDir(LinuxPlatform::expandHome(folderPart)).entryInfoList(filters, QDir::Name);
        for (const QFileInfo& fi : entries) {
            if (!fi.fileName().startsWith(namePart)) continue;
            out << folderPart + fi.fileName() + (fi.isDir() ? QStringLiteral("/") : QString());
            if (out.size() >= kMaxCompletions) break;
        }
        return out;
    }
    if (text.startsWith(u'~')) return out;
    const QString path = qEnvironmentVariable("PATH");
    if (path != pathScanned_ || pathPrograms_.isEmpty()) {
        pathScanned_ = path;
        pathPrograms_ = scanPath(path);
    }
    for (const QString& program : pathPrograms_) {
        if (!program.startsWith(text)) continue;
        out << program;
        if (out.size() >= kMaxCompletions) break;
    }
    return out;
}

QString LinuxPlatform::expandHome(const QString& p) {
    if (p == u"~") return QDir::homePath();
    if (p.startsWith(u"~/")) return QDir::homePath() + p.mid(1);
    return p;
}
