#include "app/appicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QIconEngine>
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

namespace {

// The launcher's icon, looked up only when it is first drawn or measured:
// reading the icon themes and drawing the built-in picture cost a first
// start more than anything else outside Qt's own, and the window shows its
// rows before its icon is needed.
class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    // The built-in picture is always there to fall back on.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("brennomix-app-icon"); }
    QIconEngine* clone() const override { return new AppIconEngine(*this); }

private:
    const QIcon& icon() {
        if (icon_.isNull()) {
            addInstalledIconFolder();
            const QIcon installed = QIcon::fromTheme(QStringLiteral("brennomix"));
            icon_ = installed.isNull() ? builtInAppIcon() : installed;
        }
        return icon_;
    }

    QIcon icon_;
};

}  // namespace

QIcon appIcon() {
    return QIcon(new AppIconEngine);
}
