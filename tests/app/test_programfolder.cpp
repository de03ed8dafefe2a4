#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/programfolder.h"

TEST(ProgramFolder, FirstMatchWins) {
    QTemporaryDir exe;
    QMap<QString, QString> env{{"HOME", "/home/u"}};
    auto get = [&](const char* n) { return env.value(QString::fromLatin1(n)); };
    EXPECT_EQ(resolveProgramFolder(get, exe.path()), "/home/u/.config/brennomix");
    env["XDG_CONFIG_HOME"] = "/cfg";
    EXPECT_EQ(resolveProgramFolder(get, exe.path()), "/cfg/brennomix");
    env["XDG_CONFIG_HOME"] = "relative/ignored";
    EXPECT_EQ(resolveProgramFolder(get, exe.path()), "/home/u/.config/brennomix");
    QFile marker(exe.filePath("Brennomix.ini"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_EQ(resolveProgramFolder(get, exe.path()), QDir::cleanPath(exe.path()));
    env["BRENNOMIX_HOME"] = "/portable/";
    EXPECT_EQ(resolveProgramFolder(get, exe.path()), "/portable");
}
