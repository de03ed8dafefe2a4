#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class Dialogs;
class Platform;
class QWidget;

// The parts of the system the windows use: the platform, the dialogs and
// the listening end of the link between copies. Made by the implementation
// the build chose (src/platform/linux or src/platform/null).
class WindowSystem : public QObject {
    Q_OBJECT

public:
    ~WindowSystem() override;
    virtual Platform& platform() = 0;
    virtual Dialogs& dialogs() = 0;
    // The window that owns the dialogs.
    virtual void setDialogOwner(QWidget* owner) = 0;
    // Takes the words of later copies at `address`; false, with a reason in
    // `error`, when it cannot.
    virtual bool listen(const QString& address, QString* error) = 0;
    // Stops answering later copies, at once: the program is ending.
    virtual void stopListening() = 0;
    // Start-up is over: the memory it used and has freed since goes back to
    // the system rather than staying with the process while it waits.
    virtual void returnFreedMemory() = 0;

signals:
    void wordsReceived(const QStringList& words);
};

std::unique_ptr<WindowSystem> makeWindowSystem();
