#include "platform/null/nullplatform.h"
#include "platform/windowsystem.h"

namespace {

class NullWindowSystem : public WindowSystem {
public:
    Platform& platform() override { return platform_; }
    Dialogs& dialogs() override { return dialogs_; }
    void setDialogOwner(QWidget*) override {}
    bool listen(const QString&, QString* error) override {
        if (error) *error = QStringLiteral("no link on this system");
        return false;
    }
    void stopListening() override {}
    void returnFreedMemory() override {}

private:
    NullPlatform platform_;
    NullDialogs dialogs_;
};

}  // namespace

std::unique_ptr<WindowSystem> makeWindowSystem() {
    return std::make_unique<NullWindowSystem>();
}
