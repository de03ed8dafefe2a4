#include "platform/linux/launchermodule.h"

#include <QFileInfo>

QString launcherModuleFile(const QString& executableFolder, const QString& moduleName) {
    const QString beside = executableFolder + u'/' + moduleName;
    return QFileInfo(beside).isFile() ? beside : moduleName;
}
