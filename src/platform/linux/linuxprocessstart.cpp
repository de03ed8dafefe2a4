#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

#include "platform/linux/instancelink.h"
#include "platform/linux/launchermodule.h"
#include "platform/processstart.h"

namespace processstart {

QString executableFolder() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

namespace {

class LinkClaim : public InstanceClaim {
public:
    explicit LinkClaim(const QString& programFolder) : link_(programFolder) {}
    Role claim(const QStringList& words) override {
        switch (link_.claim(words)) {
            case InstanceLink::Role::First:
                return Role::First;
            case InstanceLink::Role::Relayed:
                return Role::Relayed;
            case InstanceLink::Role::Alone:
                return Role::Alone;
            case InstanceLink::Role::Failed:
                break;
        }
        return Role::Failed;
    }
    QString address() const override { return link_.socketPath(); }

private:
    InstanceLink link_;
};

}  // namespace

std::unique_ptr<InstanceClaim> makeInstanceClaim(const QString& programFolder) {
    return std::make_unique<LinkClaim>(programFolder);
}

LauncherEntry loadLauncher(const QString& exeFolder, QString* error) {
    const QByteArray module =
        QFile::encodeName(launcherModuleFile(exeFolder, QLatin1String(kLauncherModule)));
    void* ui = ::dlopen(module.constData(), RTLD_NOW | RTLD_LOCAL);
    auto* entry = ui ? reinterpret_cast<LauncherEntry>(::dlsym(ui, kLauncherEntry)) : nullptr;
    if (!entry && error) *error = QString::fromLocal8Bit(::dlerror());
    return entry;
}

}  // namespace processstart
