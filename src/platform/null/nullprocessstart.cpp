#include <QDir>

#include "platform/processstart.h"

namespace processstart {

QString executableFolder() {
    return QDir::currentPath();
}

namespace {
class NoClaim : public InstanceClaim {
public:
    Role claim(const QStringList&) override { return Role::Alone; }
    QString address() const override { return QString(); }
};
}  // namespace

std::unique_ptr<InstanceClaim> makeInstanceClaim(const QString&) {
    return std::make_unique<NoClaim>();
}

LauncherEntry loadLauncher(const QString&, QString* error) {
    if (error) *error = QStringLiteral("this build has no windows to load");
    return nullptr;
}

}  // namespace processstart
