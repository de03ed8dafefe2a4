#include "app/appicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <algorithm>
#include <memory>

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

// The built-in picture, drawn at the size asked for each time it is asked:
// the usual sizes held drawn would keep a third of a megabyte (the largest
// alone a quarter) for the few moments the window system or the tray reads
// one of them.
class BuiltInIconEngine : public QIconEngine {
public:
    BuiltInIconEngine()
        : svg_(std::make_shared<QSvgRenderer>(QStringLiteral(":/brennomix/brennomix.svg"))) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QSize size = actualSize(rect.size(), mode, state);
        const QRect target(rect.x() + (rect.width() - size.width()) / 2,
                           rect.y() + (rect.height() - size.height()) / 2, size.width(),
                           size.height());
        painter->drawPixmap(target, pixmap(size, mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QSize square = actualSize(size, mode, state);
        if (square.isEmpty()) return {};
        QPixmap pm(square);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        svg_->render(&p);
        p.end();
        // A disabled or selected icon is derived from the drawn one as for
        // any other picture.
        if (mode == QIcon::Normal) return pm;
        return QIcon(pm).pixmap(square, mode, state);
    }
    // The picture is square: the largest square that fits.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::max(0, std::min(size.width(), size.height()));
        return {side, side};
    }
    // The sizes it is drawn at exactly, as desktops usually ask for them.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) sizes.append(QSize(side, side));
        return sizes;
    }
    bool isNull() override { return !svg_->isValid(); }
    QString key() const override { return QStringLiteral("brennomix-built-in-icon"); }
    QIconEngine* clone() const override { return new BuiltInIconEngine(*this); }

private:
    std::shared_ptr<QSvgRenderer> svg_;
};

}  // namespace

QIcon builtInAppIcon() {
    return QIcon(new BuiltInIconEngine);
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
