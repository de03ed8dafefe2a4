#include "app/programfolder.h"

#include <QDir>
#include <QFileInfo>

QString resolveProgramFolder(const std::function<QString(const char*)>& env,
                             const QString& executableFolder) {
    const QString home = env("BRENNOMIX_HOME");
    if (!home.isEmpty()) return QDir::cleanPath(home);
    if (!executableFolder.isEmpty() &&
        QFileInfo(executableFolder + QStringLiteral("/Brennomix.ini")).isFile())
        return QDir::cleanPath(executableFolder);
    QString config = env("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = env("HOME") + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/brennomix"));
}
