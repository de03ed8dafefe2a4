#include "platform/linux/linuxplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QWidget>

#include <sys/resource.h>

LinuxPlatform::LinuxPlatform(QObject* parent) : Platform(parent) {}

LinuxPlatform::~LinuxPlatform() = default;

// Starting programs and the desktop shell live in linuxshell.cpp.

bool LinuxPlatform::fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void LinuxPlatform::raisePriority() {
    // Unprivileged users may not raise their priority; the launcher simply
    // runs at the normal one then.
    setpriority(PRIO_PROCESS, 0, -5);
}

QString LinuxPlatform::osFamily() { return QStringLiteral("xp"); }

qint64 LinuxPlatform::uptimeMs() {
    QFile f(QStringLiteral("/proc/uptime"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.isEmpty() ? 0 : qint64(parts[0].toDouble() * 1000);
}

void LinuxPlatform::beep() { QApplication::beep(); }

QPoint LinuxPlatform::cursorPos() { return QCursor::pos(); }

void LinuxPlatform::setCursorPos(const QPoint& pos) { QCursor::setPos(pos); }

namespace {
QScreen* screenAt(const QPoint& at) {
    QScreen* s = QGuiApplication::screenAt(at);
    return s ? s : QGuiApplication::primaryScreen();
}
}  // namespace

QRect LinuxPlatform::workArea(const QPoint& at) {
    QScreen* s = screenAt(at);
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

double LinuxPlatform::screenDpiX(const QPoint& at) {
    QScreen* s = screenAt(at);
    return s ? s->logicalDotsPerInchX() : 96.0;
}

double LinuxPlatform::screenDpiY(const QPoint& at) {
    QScreen* s = screenAt(at);
    return s ? s->logicalDotsPerInchY() : 96.0;
}

bool LinuxPlatform::activateWindow(QWidget* w) {
    w->raise();
    w->activateWindow();
    return w->isActiveWindow();
}

void LinuxPlatform::setTopmost(QWidget* w, bool on) {
    const bool visible = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing window flags hides a shown window.
    if (visible) w->show();
}

void LinuxPlatform::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

// The tray icon and the hotkey are not built yet.
bool LinuxPlatform::trayAvailable() { return false; }
void LinuxPlatform::trayAdd(const QIcon&, const QString&) {}
void LinuxPlatform::trayModify(const QIcon&, const QString&) {}
void LinuxPlatform::trayRemove() {}
Platform::HotkeyResult LinuxPlatform::grabHotkey(int) { return HotkeyResult::Unavailable; }
void LinuxPlatform::releaseHotkey() {}
