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

private:
    LinkServer link_;
    LinuxPlatform platform_;
    QtDialogs dialogs_;
};

}  // namespace

std::unique_ptr<WindowSystem> makeWindowSystem() {
    return std::make_unique<LinuxWindowSystem>();
}
