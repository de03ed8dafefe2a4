#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QIcon>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

#include "platform/folderitem.h"

class QWidget;
struct KeyCombination;

// Every effect the launcher has on the world outside its own windows and its
// own folder goes through this interface: starting programs, the desktop
// shell, the pointer, screens, window-manager requests, clipboard, tray and
// the global hotkey. The Linux implementation lives in platform/linux; tests
// use a recording fake.
class Platform : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~Platform() override;

    // ---- programs and the desktop shell ----

    // Opens or starts `file` the way the desktop does. Returns a code above 32
    // on success, 2 when the file is not found, other small numbers for other
    // failures (the codes the launcher has always examined).
    virtual int shellExecute(const QString& file, const QString& params, const QString& dir) = 0;
    // Starts a whole command line (split by shell rules, no shell in between)
    // as a detached process. `showState` 1 = normal, 2 = minimised; it is a
    // request the desktop may ignore. False when nothing could be started.
    virtual bool startCommandLine(const QString& commandLine, int showState) = 0;
    // Opens the desktop's own run dialog; false when none is installed.
    virtual bool openRunDialog() = 0;

    // A shortcut file as the launcher runs it.
    struct Shortcut {
        QString target;  // the program, file or address it starts
        QString workingDirectory;
        QString arguments;  // a command line, split by shell rules
        QString iconFile;
        int iconIndex = 0;
        int showCommand = 1;  // 1 normal
    };
    // Reads a shortcut (a Desktop Entry file); false when it cannot be read.
    virtual bool readShortcut(const QString& path, Shortcut& out) = 0;
    // A program the launcher names itself ("Pendix.exe"): looked up without
    // ".exe" in `programFolder`, then on PATH. Empty when not installed.
    virtual QString findProgram(const QString& name, const QString& programFolder) = 0;
    // Completions of a run-box text, each the whole text: file and folder
    // names when the text holds a folder part, else programs on PATH.
    virtual QStringList runCompletions(const QString& text) = 0;

    // ---- files outside the program folder ----

    // True when an ordinary, non-hidden file exists at `path`.
    virtual bool fileExists(const QString& path) = 0;

    // The desktop's folders the launcher writes its own entries into.
    enum class UserFolder {
        Applications,  // the user's menu entries ($XDG_DATA_HOME/applications)
        Autostart,     // started at log-in ($XDG_CONFIG_HOME/autostart)
    };
    virtual QString userFolder(UserFolder which) = 0;
    // The launcher's own executable, as an absolute path.
    virtual QString programFile() = 0;
    // Writes a whole file (a new file renamed over the old one), creating
    // its folder when missing; false with `error` set when it failed.
    virtual bool writeUserFile(const QString& path, const QByteArray& bytes, QString* error) = 0;
    // Removes one file; false when it is still there.
    virtual bool removeUserFile(const QString& path) = 0;
    // A small file's bytes; empty when it cannot be read.
    virtual QByteArray readUserFile(const QString& path) = 0;
    // The file-system index. These three may be called from the thread
    // that builds the index.
    // Lists a folder (see ReadFolder); a symbolic link is never a folder.
    virtual bool readFolder(const QByteArray& path, std::vector<FolderItem>& items) = 0;
    // The folders behind a special-folder number (0 the user's desktop,
    // 5 documents, 11 start menu; 25, 46, 22 everyone's); none, one or several.
    virtual QStringList specialFolders(int number) = 0;
    // The title of the application entry file at `path` as menus show it;
    // false when menus hide it. An unreadable entry gives an empty title.
    virtual bool desktopEntryTitle(const QByteArray& path, QByteArray& title) = 0;

    // ---- this process ----

    // Best effort; a refusal is ignored.
    virtual void raisePriority() = 0;
    // "98", "xp" or "Failed": the family of the running system.
    virtual QString osFamily() = 0;
    // Milliseconds since the system started.
    virtual qint64 uptimeMs() = 0;
    // The local date and time now.
    virtual QDateTime currentDateTime() = 0;
    virtual void beep() = 0;

    // ---- pointer and screens ----

    virtual QPoint cursorPos() = 0;
    virtual void setCursorPos(const QPoint& pos) = 0;
    // Available area (screen minus panels), in pixels, of the screen holding `at`.
    virtual QRect workArea(const QPoint& at) = 0;
    // The whole screen holding `at`, in pixels.
    virtual QRect screenGeometry(const QPoint& at) = 0;
    // Logical dots per inch of the screen holding `at`.
    virtual double screenDpiX(const QPoint& at) = 0;
    virtual double screenDpiY(const QPoint& at) = 0;

    // ---- window manager ----

    // Brings `w` to the front with the keyboard focus; true when it is active
    // or the window manager has taken the request to make it so.
    virtual bool activateWindow(QWidget* w) = 0;
    // True when `w` is the desktop's active window now (the window manager
    // may know before the application does).
    virtual bool isForegroundWindow(QWidget* w) = 0;
    virtual void setTopmost(QWidget* w, bool on) = 0;
    // Asks that the not yet shown window `w` be left out of task bars and
    // pagers.
    virtual void keepOutOfTaskbar(QWidget* w) = 0;
    // The window manager's decoration around the shown window `w`, in
    // pixels; null while it is not known (not framed yet, or hidden).
    virtual QMargins frameMargins(QWidget* w) = 0;

    // ---- the desktop ----

    // Shows or hides the desktop's icons (its desktop windows).
    virtual void setDesktopIconsShown(bool shown) = 0;
    // Asks the window manager to minimise every window and show the desktop.
    virtual void showDesktop() = 0;
    // Locks the session; false when no way of locking worked.
    virtual bool lockSession() = 0;

    // ---- clipboard ----

    virtual void setClipboardText(const QString& text) = 0;

    // ---- notification area ----

    virtual bool trayAvailable() = 0;
    virtual void trayAdd(const QIcon& icon, const QString& tooltip) = 0;
    virtual void trayModify(const QIcon& icon, const QString& tooltip) = 0;
    virtual void trayRemove() = 0;

    // ---- global hotkey (Super + key) ----

    enum class HotkeyResult { Grabbed, Taken, Unavailable };
    // `keyCode` is the upper-case character code of the key (a letter or digit).
    virtual HotkeyResult grabHotkey(int keyCode) = 0;
    virtual void releaseHotkey() = 0;
    // True when the keyboard has a key that types the character `keyCode`.
    virtual bool hasKeyFor(int keyCode) = 0;

    // ---- the menu entry's keyboard shortcut (any modifiers + key) ----

    // Replaces the shortcut grabbed before, if any.
    virtual HotkeyResult grabKeyCombination(const KeyCombination& keys) = 0;
    virtual void releaseKeyCombination() = 0;

signals:
    // An existing program or document could not be started; the text says
    // which and why, for a message to the user.
    void programNotStarted(const QString& text);
    // A button was released on the tray icon: 1 left, 2 right (context request).
    void trayMouseUp(int button);
    // The grabbed hotkey was pressed; `keyCode` as given to grabHotkey.
    void hotkeyPressed(int keyCode);
    // The grabbed key combination was pressed.
    void keyCombinationPressed();
    // A button went down, or was double-clicked, on the tray icon.
    void trayMouseDown(int button);
    void trayMouseDblClick(int button);
    // The window manager framed `w` or changed its frame: frameMargins(w)
    // may answer differently now.
    void windowFrameChanged(QWidget* w);
};
