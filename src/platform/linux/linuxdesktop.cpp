// The desktop utilities, the launcher's own desktop entries and the menu
// entry's keyboard shortcut on a Linux desktop.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

#include "lists/textfile.h"
#include "platform/linux/linuxplatform.h"
#include "platform/linux/x11desktop.h"

namespace {
// Entries are a few hundred bytes; anything bigger is not one of ours.
constexpr qint64 kMaxUserFile = 1 << 20;
// A locker that neither locks nor fails within this time is taken as failed.
constexpr int kLockWaitMs = 10000;

// Runs a program with arguments and waits for it; true when it ran and
// exited with status 0.
bool runsOk(const QString& name, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) return false;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    if (!p.waitForFinished(kLockWaitMs)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
}  // namespace

QDateTime LinuxPlatform::currentDateTime() {
    return QDateTime::currentDateTime();
}

QString LinuxPlatform::userFolder(UserFolder which) {
    switch (which) {
        case UserFolder::Applications:
            return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   QStringLiteral("/applications");
        case UserFolder::Autostart:
            return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/autostart");
    }
    return QString();
}

QString LinuxPlatform::programFile() {
    return QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath();
}

bool LinuxPlatform::writeUserFile(const QString& path, const QByteArray& bytes, QString* error) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error) *error = QStringLiteral("The folder %1 cannot be created.").arg(folder);
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

bool LinuxPlatform::removeUserFile(const QString& path) {
    return QFile::remove(path) || !QFileInfo::exists(path);
}

QByteArray LinuxPlatform::readUserFile(const QString& path) {
    QByteArray bytes;
    textfile::readBytes(path, bytes, kMaxUserFile);
    return bytes;
}

void LinuxPlatform::setDesktopIconsShown(bool shown) {
    if (x11_) x11_->setDesktopWindowsMapped(shown);
}

void LinuxPlatform::keepOutOfTaskbar(QWidget* w) {
    if (x11_) x11_->skipTaskbar(w);
}

void LinuxPlatform::showDesktop() {
    if (x11_) x11_->requestShowingDesktop();
}

bool LinuxPlatform::lockSession() {
    return runsOk(QStringLiteral("loginctl"), {QStringLiteral("lock-session")}) ||
           runsOk(QStringLiteral("xdg-screensaver"), {QStringLiteral("lock")});
}

bool LinuxPlatform::hasKeyFor(int keyCode) {
    if (x11_) return x11_->hasKeyFor(keyCode);
    // Without an X server nothing is grabbed anyway: letters and digits.
    return QChar(char16_t(keyCode)).isLetterOrNumber();
}

void LinuxPlatform::releaseKeyCombination() {
    if (x11_) x11_->ungrabCombination();
}
