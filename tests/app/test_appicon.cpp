#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/appicon.h"

namespace {

QRgb pixelNearEdge(const QIcon& icon) {
    // A point on the icon's background, clear of the rows drawn on it.
    return icon.pixmap(64, 64).toImage().pixel(5, 32) & 0xffffff;
}

bool writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// The icon search state is global; every case leaves it as it found it.
class AppIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        paths_ = QIcon::themeSearchPaths();
        theme_ = QIcon::themeName();
    }
    void TearDown() override {
        QIcon::setThemeSearchPaths(paths_);
        QIcon::setThemeName(theme_);
    }
    QStringList paths_;
    QString theme_;
};

}  // namespace

TEST_F(AppIconTest, BuiltInIconIsTheLauncherSvg) {
    QIcon::setThemeSearchPaths({});
    const QIcon icon = appIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(pixelNearEdge(icon), 0xb40000u);
    // Small sizes come drawn, not scaled from a large picture.
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
}

TEST_F(AppIconTest, BuiltInIconIsDrawnAtAnySizeAndMode) {
    const QIcon icon = builtInAppIcon();
    // A size between the usual ones is drawn at that size; a request that
    // is not square gets the largest square that fits.
    const QImage odd = icon.pixmap(40, 40).toImage();
    EXPECT_EQ(odd.size(), QSize(40, 40));
    EXPECT_EQ(odd.pixel(3, 20) & 0xffffff, 0xb40000u);
    EXPECT_EQ(icon.pixmap(QSize(64, 32)).size(), QSize(32, 32));
    // A disabled icon is still the picture, greyed.
    const QImage disabled = icon.pixmap(QSize(64, 64), QIcon::Disabled).toImage();
    ASSERT_EQ(disabled.size(), QSize(64, 64));
    const QRgb grey = disabled.pixel(5, 32);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_GT(qAlpha(grey), 0);
}

TEST_F(AppIconTest, InstalledIconOfTheThemeIsPreferred) {
    QTemporaryDir icons;
    QFile svg(QStringLiteral(":/brennomix/brennomix.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QByteArray green = svg.readAll();
    green.replace("#b40000", "#00ff00");
    ASSERT_TRUE(writeFile(icons.filePath("hicolor/index.theme"),
                          "[Icon Theme]\nName=Hicolor\nDirectories=scalable/apps\n\n"
                          "[scalable/apps]\nSize=64\nMinSize=8\nMaxSize=512\nType=Scalable\n"));
    ASSERT_TRUE(writeFile(icons.filePath("hicolor/scalable/apps/brennomix.svg"), green));
    // The icon is looked up when it is first drawn: one taken before the
    // theme was there shows the theme's all the same.
    QIcon::setThemeSearchPaths({});
    const QIcon early = appIcon();
    EXPECT_FALSE(early.isNull());
    QIcon::setThemeSearchPaths({icons.path()});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    EXPECT_EQ(pixelNearEdge(appIcon()), 0x00ff00u);
    EXPECT_EQ(pixelNearEdge(early), 0x00ff00u);
    EXPECT_FALSE(appIcon().availableSizes().isEmpty());
}
