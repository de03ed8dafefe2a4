#include "platform/linux/linuxplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>
#include <time.h>

#include "lists/textfile.h"
#include "platform/keycombination.h"
#include "platform/linux/desktopentry.h"
#include "platform/linux/folderreader.h"
#include "platform/linux/x11desktop.h"

LinuxPlatform::LinuxPlatform(QObject* parent)
    : Platform(parent), languages_(folderreader::userLanguages()), x11_(X11Desktop::create()) {
    if (!x11_) return;
    x11_->onHotkey = [this] { emit hotkeyPressed(hotkey_); };
    x11_->onCombination = [this] { emit keyCombinationPressed(); };
    // Qt reads the new frame only after it has seen the event itself.
    x11_->onFrameChanged = [this](WId id) {
        QMetaObject::invokeMethod(
            this,
            [this, id] {
                if (QWidget* w = QWidget::find(id)) emit windowFrameChanged(w);
            },
            Qt::QueuedConnection);
    };
}

LinuxPlatform::~LinuxPlatform() {
    trayRemove();
    releaseHotkey();
    releaseKeyCombination();
}

// Starting programs and the desktop shell live in linuxshell.cpp.

bool LinuxPlatform::fileExists(const QString& path) {
    // An entry's "~/" is the home folder when it runs, so also when checked.
    return !path.isEmpty() && QFileInfo(expandHome(path)).isFile();
}

bool LinuxPlatform::readFolder(const QByteArray& path, std::vector<FolderItem>& items) {
    return folderreader::readFolder(path, items);
}

QStringList LinuxPlatform::specialFolders(int number) {
    return folderreader::specialFolders(number);
}

bool LinuxPlatform::desktopEntryTitle(const QByteArray& path, QByteArray& title) {
    title.clear();
    // Entries are small; a huge file is not one worth reading whole. One
    // that cannot be read is still listed, under its file name.
    QByteArray text;
    if (textfile::readBytes(QFile::decodeName(path), text, desktopentry::kMaxFileSize) !=
        textfile::ReadStatus::Ok)
        return true;
    return folderreader::desktopEntryTitle(text, languages_, title);
}

void LinuxPlatform::raisePriority() {
    // Unprivileged users may not raise their priority; the launcher simply
    // runs at the normal one then.
    setpriority(PRIO_PROCESS, 0, -5);
}

QString LinuxPlatform::osFamily() {
    return QStringLiteral("xp");
}

qint64 LinuxPlatform::uptimeMs() {
    // The clock /proc/uptime shows, suspended time included, read without
    // opening a file: window placement asks for it at every resize.
    timespec now{};
    if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0) return 0;
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void LinuxPlatform::beep() {
    QApplication::beep();
}

QPoint LinuxPlatform::cursorPos() {
    // Each asking is a round trip to the X server, and window placement
    // asks for every measure it converts: a first start asked some 160
    // times before its window was up. Within one pass of the event loop the
    // pointer is where it was; the next pass asks again.
    if (!cursor_) {
        cursor_ = QCursor::pos();
        QTimer::singleShot(0, this, [this] { cursor_.reset(); });
    }
    return *cursor_;
}

void LinuxPlatform::setCursorPos(const QPoint& pos) {
    cursor_.reset();
    QCursor::setPos(pos);
}

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

QRect LinuxPlatform::screenGeometry(const QPoint& at) {
    QScreen* s = screenAt(at);
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
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
    // Through the window manager as a user action, so the window comes to
    // the front with the focus even when another application has it.
    if (x11_ && x11_->requestActivation(w)) return true;
    w->activateWindow();
    return w->isActiveWindow();
}

bool LinuxPlatform::isForegroundWindow(QWidget* w) {
    if (x11_) {
        const std::optional<WId> active = x11_->activeWindow();
        if (active) return w->isVisible() && *active == w->winId();
    }
    return w->isActiveWindow();
}

void LinuxPlatform::setTopmost(QWidget* w, bool on) {
    Qt::WindowFlags flags = w->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* handle = w->windowHandle()) {
        // Told to the existing window (_NET_WM_STATE_ABOVE on X11): changing
        // the widget's flags would recreate and hide it.
        w->overrideWindowFlags(flags);
        Qt::WindowFlags native = handle->flags();
        native.setFlag(Qt::WindowStaysOnTopHint, on);
        handle->setFlags(native);
    } else {
        w->setWindowFlags(flags);
    }
}

QMargins LinuxPlatform::frameMargins(QWidget* w) {
    QWindow* handle = w->windowHandle();
    if (!handle || !w->isVisible()) return QMargins();
    // The window manager's own word first. Qt reads the frame again only
    // after the window is next configured, so word of a new frame can come
    // while Qt still holds the frame it read before there was one.
    if (x11_) {
        if (const std::optional<QMargins> e = x11_->frameExtents(w->winId()))
            return *e / handle->devicePixelRatio();
    }
    // While the window manager is still taking the window over, the window
    // tree can give a frame that ends inside the window: not a frame yet.
    const QMargins m = handle->frameMargins();
    return m.left() < 0 || m.top() < 0 || m.right() < 0 || m.bottom() < 0 ? QMargins() : m;
}

void LinuxPlatform::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

bool LinuxPlatform::trayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void LinuxPlatform::trayAdd(const QIcon& icon, const QString& tooltip) {
    if (!tray_) {
        tray_ = new QSystemTrayIcon(this);
        connect(tray_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    switch (reason) {
                        case QSystemTrayIcon::Trigger:
                            emit trayMouseDown(1);
                            emit trayMouseUp(1);
                            break;
                        case QSystemTrayIcon::DoubleClick:
                            // The second click of a double click: it
                            // toggles the window like the first one.
                            emit trayMouseDblClick(1);
                            emit trayMouseUp(1);
                            break;
                        case QSystemTrayIcon::Context:
                            emit trayMouseDown(2);
                            emit trayMouseUp(2);
                            break;
                        default:
                            break;
                    }
                });
    }
    tray_->setIcon(icon);
    tray_->setToolTip(tooltip);
    tray_->show();
}

void LinuxPlatform::trayModify(const QIcon& icon, const QString& tooltip) {
    if (!tray_) return;
    tray_->setIcon(icon);
    tray_->setToolTip(tooltip);
}

void LinuxPlatform::trayRemove() {
    if (!tray_) return;
    tray_->hide();
    delete tray_;
    tray_ = nullptr;
}

namespace {
Platform::HotkeyResult resultOf(X11Desktop::Grab grab) {
    switch (grab) {
        case X11Desktop::Grab::Grabbed:
            return Platform::HotkeyResult::Grabbed;
        case X11Desktop::Grab::Taken:
            return Platform::HotkeyResult::Taken;
        case X11Desktop::Grab::NoSuchKey:
            break;
    }
    return Platform::HotkeyResult::Unavailable;
}
}  // namespace

Platform::HotkeyResult LinuxPlatform::grabHotkey(int keyCode) {
    if (!x11_) return HotkeyResult::Unavailable;
    const HotkeyResult result = resultOf(x11_->grabSuperKey(keyCode));
    if (result == HotkeyResult::Grabbed) hotkey_ = keyCode;
    return result;
}

Platform::HotkeyResult LinuxPlatform::grabKeyCombination(const KeyCombination& keys) {
    if (!x11_) return HotkeyResult::Unavailable;
    return resultOf(x11_->grabCombination(keycombination::keysym(keys), keys.shift, keys.ctrl,
                                          keys.alt, keys.super));
}

void LinuxPlatform::releaseHotkey() {
    if (x11_) x11_->ungrab();
    hotkey_ = 0;
}
