#pragma once

#include "platform/dialogs.h"
#include "platform/platform.h"

// A system that does nothing: no program starts, no file outside the
// program folder exists, every dialog is answered No or left empty, the
// screen is one work area of 1920 by 1080 pixels at 96 dots per inch. For
// builds without a real platform and for tests that need none of its effects.
class NullPlatform : public Platform {
public:
    using Platform::Platform;
    int shellExecute(const QString&, const QString&, const QString&) override { return 2; }
    bool startCommandLine(const QString&, int) override { return false; }
    bool openRunDialog() override { return false; }
    bool readShortcut(const QString&, Shortcut&) override { return false; }
    QString findProgram(const QString&, const QString&) override { return QString(); }
    QStringList runCompletions(const QString&) override { return {}; }
    bool fileExists(const QString&) override { return false; }
    QString userFolder(UserFolder) override { return QString(); }
    QString programFile() override { return QString(); }
    bool writeUserFile(const QString&, const QByteArray&, QString* error) override {
        if (error) *error = QStringLiteral("This system has no files outside the program folder.");
        return false;
    }
    bool removeUserFile(const QString&) override { return true; }
    QByteArray readUserFile(const QString&) override { return QByteArray(); }
    bool readFolder(const QByteArray&, std::vector<FolderItem>&) override { return false; }
    QStringList specialFolders(int) override { return {}; }
    bool desktopEntryTitle(const QByteArray&, QByteArray&) override { return false; }
    void raisePriority() override {}
    QString osFamily() override { return QStringLiteral("xp"); }
    qint64 uptimeMs() override;
    QDateTime currentDateTime() override { return QDateTime::currentDateTime(); }
    void beep() override {}
    QPoint cursorPos() override { return cursor_; }
    void setCursorPos(const QPoint& pos) override { cursor_ = pos; }
    QRect workArea(const QPoint&) override { return QRect(0, 0, 1920, 1080); }
    QRect screenGeometry(const QPoint&) override { return QRect(0, 0, 1920, 1080); }
    double screenDpiX(const QPoint&) override { return 96; }
    double screenDpiY(const QPoint&) override { return 96; }
    bool activateWindow(QWidget*) override { return false; }
    bool isForegroundWindow(QWidget*) override { return false; }
    void setTopmost(QWidget*, bool) override {}
    void keepOutOfTaskbar(QWidget*) override {}
    QMargins frameMargins(QWidget*) override { return QMargins(); }
    void setDesktopIconsShown(bool) override {}
    void showDesktop() override {}
    bool lockSession() override { return false; }
    void setClipboardText(const QString&) override {}
    bool trayAvailable() override { return false; }
    void trayAdd(const QIcon&, const QString&) override {}
    void trayModify(const QIcon&, const QString&) override {}
    void trayRemove() override {}
    HotkeyResult grabHotkey(int) override { return HotkeyResult::Unavailable; }
    void releaseHotkey() override {}
    bool hasKeyFor(int) override { return false; }
    HotkeyResult grabKeyCombination(const KeyCombination&) override {
        return HotkeyResult::Unavailable;
    }
    void releaseKeyCombination() override {}

private:
    QPoint cursor_;
};

class NullDialogs : public Dialogs {
public:
    void message(const QString&, const QString&) override {}
    bool question(const QString&, const QString&) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString openFileName(const QString&, const QString&) override { return QString(); }
    QString folderName(const QString&, const QString&) override { return QString(); }
};
