#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <deque>

#include "platform/dialogs.h"
#include "platform/platform.h"

// A platform that records every call as a line of text ("shellExecute|file|
// params|dir") and answers from scripts, so tests see what the launcher
// would have done to the desktop without doing it.
class FakePlatform : public Platform {
    Q_OBJECT

public:
    QStringList calls;
    // shellExecute answers, in order; 42 (success) when none is left.
    std::deque<int> shellResults;
    bool startResult = true;
    bool runDialogResult = false;
    // Paths that exist whatever the disk says, and paths that do not.
    QSet<QString> existing, missing;
    QPoint cursor{640, 512};
    QRect work{0, 0, 1280, 994};
    double dpiX = 96, dpiY = 96;
    bool tray = true;
    HotkeyResult hotkeyResult = HotkeyResult::Grabbed;
    QString clipboard;
    qint64 uptime = 3'600'000;
    QDateTime now{QDate(2026, 12, 9), QTime(18, 9, 30)};
    // The whole screen; the work area lies inside it.
    QRect screen{0, 0, 1280, 1024};
    // Folders of userFolder (tests point them into a temporary folder).
    QString applications = QStringLiteral("/nonexistent/applications");
    QString autostart = QStringLiteral("/nonexistent/autostart");
    QString program = QStringLiteral("/opt/brennomix/brennomix");
    // hasKeyFor answers: letters, digits and these characters.
    QString keys = QStringLiteral(";,./-=`'[]\\");
    HotkeyResult combinationResult = HotkeyResult::Grabbed;
    bool lockResult = true;
    bool active = false;
    // The window manager's frame around a shown window; null = not framed.
    QMargins frame;

    // readShortcut answers by path; a path not listed cannot be read.
    QMap<QString, Shortcut> shortcuts;
    // findProgram answers by name; a name not listed is not installed.
    QMap<QString, QString> programs;
    // specialFolders answers by number; none for a number not listed.
    QMap<int, QStringList> special;
    // runCompletions answers, whatever the text.
    QStringList completions;

    // Calls whose text starts with `prefix`.
    QStringList callsStartingWith(const QString& prefix) const;

    int shellExecute(const QString& file, const QString& params, const QString& dir) override;
    bool startCommandLine(const QString& commandLine, int showState) override;
    bool openRunDialog() override;
    bool readShortcut(const QString& path, Shortcut& out) override;
    QString findProgram(const QString& name, const QString& programFolder) override;
    QStringList runCompletions(const QString& text) override;
    bool fileExists(const QString& path) override;
    // User files are written for real (under the folders above) and recorded.
    QString userFolder(UserFolder which) override;
    QString programFile() override;
    bool writeUserFile(const QString& path, const QByteArray& bytes, QString* error) override;
    bool removeUserFile(const QString& path) override;
    QByteArray readUserFile(const QString& path) override;
    // Folders are read from the disk, so tests walk real temporary trees.
    bool readFolder(const QByteArray& path, std::vector<FolderItem>& items) override;
    QStringList specialFolders(int number) override;
    bool desktopEntryTitle(const QByteArray& path, QByteArray& title) override;
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
};

// Dialogs that answer from scripts and record every prompt they were shown:
// "message|title|text", "question|title|text", "input|title|prompt|default".
class FakeDialogs : public Dialogs {
public:
    QStringList shown;
    std::deque<bool> answers;                   // question: true = Yes; No when empty
    std::deque<std::optional<QString>> inputs;  // input boxes; nullopt = Cancel, also when empty
    std::deque<QString> fileNames;              // file and folder pickers

    // Texts of the messages shown so far.
    QStringList messages() const;

    void message(const QString& text, const QString& title) override;
    bool question(const QString& text, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    QString openFileName(const QString& title, const QString& dir) override;
    QString folderName(const QString& title, const QString& dir) override;
};
