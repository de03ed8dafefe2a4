#include <QCursor>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/linuxplatform.h"
#include "waitfor.h"

// The tests run without an X server: what the launcher gets there is what
// any desktop without X11 gives it.
TEST(LinuxPlatform, WithoutX11TheHotkeyIsUnavailable) {
    LinuxPlatform p;
    EXPECT_EQ(p.grabHotkey('K'), Platform::HotkeyResult::Unavailable);
    p.releaseHotkey();
}

TEST(LinuxPlatform, TrayActivationsBecomeButtonEvents) {
    LinuxPlatform p;
    p.trayAdd(QIcon(), "tip");
    auto* icon = p.findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "tip");
    QStringList events;
    QObject::connect(&p, &Platform::trayMouseDown,
                     [&](int b) { events << QString("down%1").arg(b); });
    QObject::connect(&p, &Platform::trayMouseUp, [&](int b) { events << QString("up%1").arg(b); });
    QObject::connect(&p, &Platform::trayMouseDblClick,
                     [&](int b) { events << QString("dbl%1").arg(b); });
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Context);
    emit icon->activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(events, (QStringList{"down1", "up1", "dbl1", "up1", "down2", "up2"}));
    p.trayModify(QIcon(), "later");
    EXPECT_EQ(icon->toolTip(), "later");
    p.trayRemove();
    EXPECT_EQ(p.findChild<QSystemTrayIcon*>(), nullptr);
}

TEST(LinuxPlatform, TopmostSwitchKeepsAShownWindowShown) {
    LinuxPlatform p;
    QWidget w;
    p.setTopmost(&w, true);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    w.show();
    const WId id = w.winId();
    p.setTopmost(&w, false);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.winId(), id);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    p.setTopmost(&w, true);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST(LinuxPlatform, HiddenWindowHasNoKnownFrame) {
    LinuxPlatform p;
    QWidget w;
    EXPECT_TRUE(p.frameMargins(&w).isNull());
    w.show();
    w.hide();
    EXPECT_TRUE(p.frameMargins(&w).isNull());
}

TEST(LinuxPlatform, FilesUnderTheHomeFolderAreFoundByTilde) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    QDir().mkpath(home.path() + "/apps");
    QFile f(home.path() + "/apps/tool");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    LinuxPlatform p;
    EXPECT_TRUE(p.fileExists("~/apps/tool"));
    EXPECT_FALSE(p.fileExists("~/apps/gone"));
    // A folder is no file, under the home folder or not.
    EXPECT_FALSE(p.fileExists("~/apps"));
    qputenv("HOME", oldHome);
}

// An applications folder may hold a pipe or a device link named like an
// entry: it is listed under its file name, never waited on or read whole.
TEST(LinuxPlatform, DesktopEntriesThatAreNoFilesAreListedUnderTheirNames) {
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe.desktop"));
    const QByteArray zero = QFile::encodeName(dir.filePath("zero.desktop"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", zero.constData()), 0);
    LinuxPlatform p;
    QByteArray title = "stale";
    EXPECT_TRUE(p.desktopEntryTitle(fifo, title));
    EXPECT_TRUE(title.isEmpty());
    EXPECT_TRUE(p.desktopEntryTitle(zero, title));
    EXPECT_TRUE(title.isEmpty());
}

// Window placement times its requests by the time since the system started:
// the clock /proc/uptime shows, in milliseconds.
TEST(LinuxPlatform, UptimeIsTheSystemsOwnInMilliseconds) {
    QFile f(QStringLiteral("/proc/uptime"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const double shown = f.readAll().split(' ').value(0).toDouble() * 1000;
    LinuxPlatform platform;
    EXPECT_NEAR(double(platform.uptimeMs()), shown, 1000);
}

// The pointer's position is asked of the window system once per pass of the
// event loop: a move the platform made itself shows at once, one made by the
// user from the next pass on.
TEST(LinuxPlatform, ThePointerIsAskedForAgainInEachPassOfTheEventLoop) {
    LinuxPlatform platform;
    platform.setCursorPos(QPoint(10, 20));
    EXPECT_EQ(platform.cursorPos(), QPoint(10, 20));
    QCursor::setPos(QPoint(30, 40));
    EXPECT_EQ(platform.cursorPos(), QPoint(10, 20));
    EXPECT_TRUE(waitFor([&] { return platform.cursorPos() == QPoint(30, 40); }));
}
