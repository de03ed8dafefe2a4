#pragma once

#include <memory>
#include <optional>

#include "platform/platform.h"

class QSystemTrayIcon;
class X11Desktop;

// The platform on a Linux desktop (X11 first).
class LinuxPlatform : public Platform {
    Q_OBJECT

public:
    explicit LinuxPlatform(QObject* parent = nullptr);
    ~LinuxPlatform() override;

    int shellExecute(const QString& file, const QString& params, const QString& dir) override;
    bool startCommandLine(const QString& commandLine, int showState) override;
    bool openRunDialog() override;
    bool readShortcut(const QString& path, Shortcut& out) override;
    QString findProgram(const QString& name, const QString& programFolder) override;
    QStringList runCompletions(const QString& text) override;
    bool fileExists(const QString& path) override;
    QString userFolder(UserFolder which) override;
    QString programFile() override;
    bool writeUserFile(const QString& path, const QByteArray& bytes, QString* error) override;
    bool removeUserFile(const QString& path) override;
    QByteArray readUserFile(const QString& path) override;
    bool readFolder(const QByteArray& path, std::vector<FolderItem>& items) override;
    QStringList specialFolders(int number) override;
    bool desktopEntryTitle(const QByteArray& path, QByteArray& title) override;
    // "~" and "~/..." name the home folder, in entries as on a command line.
    static QString expandHome(const QString& path);
    void raisePriority() override;
    QString osFamily() override;
    qint64 uptimeMs() override;
    QDateTime currentDateTime() override;
    void beep() override;
    QPoint cursorPos() override;
    void setCursorPos(const QPoint& pos) override;
    QRect workArea(const QPoint& at) override;
    QRect screenGeometry(const QPoint& at) override;
    double screenDpiX(const QPoint& at) override;
    double screenDpiY(const QPoint& at) override;
    bool activateWindow(QWidget* w) override;
    bool isForegroundWindow(QWidget* w) override;
    void setTopmost(QWidget* w, bool on) override;
    void keepOutOfTaskbar(QWidget* w) override;
    QMargins frameMargins(QWidget* w) override;
    void setDesktopIconsShown(bool shown) override;
    void showDesktop() override;
    bool lockSession() override;
    void setClipboardText(const QString& text) override;
    bool trayAvailable() override;
    void trayAdd(const QIcon& icon, const QString& tooltip) override;
    void trayModify(const QIcon& icon, const QString& tooltip) override;
    void trayRemove() override;
    HotkeyResult grabHotkey(int keyCode) override;
    void releaseHotkey() override;
    bool hasKeyFor(int keyCode) override;
    HotkeyResult grabKeyCombination(const KeyCombination& keys) override;
    void releaseKeyCombination() override;

private:
    // The programs on PATH, for completion; read again when PATH changes.
    QString pathScanned_;
    QStringList pathPrograms_;

    // The user's languages, for the names of application entries.
    const QStringList languages_;

    std::unique_ptr<X11Desktop> x11_;
    QSystemTrayIcon* tray_ = nullptr;
    // The pointer's position as last asked of the X server, kept until the
    // event loop runs again.
    std::optional<QPoint> cursor_;
    int hotkey_ = 0;
};
