#include "app/appicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// Where an install keeps its icons relative to the executable (bin/ and
// share/icons/ under one prefix), so a copy installed under any prefix finds
// its own icon even when that prefix is not among the desktop's data folders.
void addInstalledIconFolder() {
    static bool added = false;
    if (added || !QCoreApplication::instance()) return;
    added = true;
    const QString icons =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons"));
    QStringList paths = QIcon::themeSearchPaths();
    if (QDir(icons).exists() && !paths.contains(icons)) {
        paths.prepend(icons);
        QIcon::setThemeSearchPaths(paths);
    }
}

}  // namespace

QIcon builtInAppIcon() {
    QSvgRenderer svg(QStringLiteral(":/brennomix/brennomix.svg"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        svg.render(&p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon appIcon() {
    addInstalledIconFolder();
    const QIcon installed = QIcon::fromTheme(QStringLiteral("brennomix"));
    return installed.isNull() ? builtInAppIcon() : installed;
}
