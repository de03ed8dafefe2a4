#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

#include "app/programfolder.h"

TEST(ProgramFolder, FirstMatchWins) {
    QTemporaryDir exeDir;
    const std::string exe = exeDir.path().toStdString();
    std::map<std::string, std::string> env{{"HOME", "/home/u"}};
    auto get = [&](const char* n) { return env.count(n) ? env[n] : std::string(); };
    EXPECT_EQ(resolveProgramFolder(get, exe), "/home/u/.config/brennomix");
    env["XDG_CONFIG_HOME"] = "/cfg";
    EXPECT_EQ(resolveProgramFolder(get, exe), "/cfg/brennomix");
    env["XDG_CONFIG_HOME"] = "relative/ignored";
    EXPECT_EQ(resolveProgramFolder(get, exe), "/home/u/.config/brennomix");
    QFile marker(exeDir.filePath("Brennomix.ini"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_EQ(resolveProgramFolder(get, exe), QDir::cleanPath(exeDir.path()).toStdString());
    // A folder named Brennomix.ini is no list.
    QTemporaryDir other;
    QDir(other.path()).mkdir("Brennomix.ini");
    EXPECT_EQ(resolveProgramFolder(get, other.path().toStdString()), "/home/u/.config/brennomix");
    env["BRENNOMIX_HOME"] = "/portable/";
    EXPECT_EQ(resolveProgramFolder(get, exe), "/portable");
}

// The running copy and earlier versions name folders the Qt way; the
// executable must name them alike, or a folder given by another road would
// get a link of its own.
TEST(ProgramFolder, PathsAreCleanedAsQtCleansThem) {
    for (const char* p : {"", "/", "//", "/a/..", "a/..", ".", "./", "a/./b/", "/../a", "a/../..",
                          "../../x/..", "//a//b", "/home/u/.config//brennomix/", "x/y/../../z"})
        EXPECT_EQ(cleanPath(p), QDir::cleanPath(QString::fromUtf8(p)).toStdString()) << p;
}

TEST(ProgramFolder, MissingFoldersAreMadeOnTheWayDown) {
    QTemporaryDir tmp;
    const QString deep = tmp.path() + "/a/b//c/";
    makeFolders(deep.toStdString());
    EXPECT_TRUE(QFileInfo(tmp.path() + "/a/b/c").isDir());
    // A file in the way stops it without harm.
    QFile blocker(tmp.path() + "/f");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    makeFolders((tmp.path() + "/f/g").toStdString());
    EXPECT_TRUE(QFileInfo(tmp.path() + "/f").isFile());
}
