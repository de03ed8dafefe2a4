#include <malloc.h>

#include "platform/linux/linkserver.h"
#include "platform/linux/linuxplatform.h"
#include "platform/linux/qtdialogs.h"
#include "platform/windowsystem.h"

namespace {

class LinuxWindowSystem : public WindowSystem {
public:
    LinuxWindowSystem() {
        connect(&link_, &LinkServer::wordsReceived, this, &WindowSystem::wordsReceived);
    }
    Platform& platform() override { return platform_; }
    Dialogs& dialogs() override { return dialogs_; }
    void setDialogOwner(QWidget* owner) override { dialogs_.setOwner(owner); }
    bool listen(const QString& address, QString* error) override {
        if (link_.listen(address)) return true;
        if (error) *error = link_.errorString();
        return false;
    }
    void stopListening() override { link_.close(); }
    // The C library keeps freed memory for later allocations; start-up
    // frees much of what it used (font and icon lookups, the first
    // layout), which a launcher waiting in the tray has no use for.
    void returnFreedMemory() override { ::malloc_trim(0); }

private:
    LinkServer link_;
    LinuxPlatform platform_;
    QtDialogs dialogs_;
};

}  // namespace

std::unique_ptr<WindowSystem> makeWindowSystem() {
    return std::make_unique<LinuxWindowSystem>();
}
