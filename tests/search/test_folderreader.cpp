// The index walk over real folders through the Linux folder reader.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/linux/folderreader.h"
#include "search/fsindex.h"

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

fsindex::Walker realWalker() {
    fsindex::Walker w;
    w.readFolder = &folderreader::readFolder;
    return w;
}

}  // namespace

// Symbolic links are indexed as files and never walked into, so a link
// back up the tree makes no loop and a link out of it leads nowhere.
TEST(FolderReader, WalksRealTreesWithoutFollowingLinks) {
    QTemporaryDir dir;
    const QString root = dir.path() + "/root";
    ASSERT_TRUE(QDir().mkpath(root + "/sub/deeper"));
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/outside"));
    touch(root + "/a.txt");
    touch(root + "/sub/b.txt");
    touch(root + "/sub/deeper/c.txt");
    touch(dir.path() + "/outside/secret.txt");
    ASSERT_EQ(::symlink("..", QFile::encodeName(root + "/sub/up").constData()), 0);
    ASSERT_EQ(::symlink("../outside", QFile::encodeName(root + "/out").constData()), 0);

    SearchLines out;
    fsindex::IndexFolderSetting({root}, realWalker(), out);
    QStringList lines = out.toStringList();
    // The walk order within a folder is the file system's; compare sorted.
    lines.sort();
    EXPECT_EQ(lines, (QStringList{"a.txt\ta.txt\t" + root + "/", "b.txt\tb.txt\t" + root + "/sub/",
                                  "c.txt\tc.txt\t" + root + "/sub/deeper/",
                                  "out\tout\t" + root + "/", "up\tup\t" + root + "/sub/"}));
    // Files of a folder come before the files of its subfolders.
    EXPECT_EQ((QStringList{out.line(0), out.line(1)}).filter(root + "/sub").size(), 0);

    // A folder that is itself a link is not read.
    std::vector<FolderItem> items;
    EXPECT_FALSE(folderreader::readFolder(QFile::encodeName(root + "/out/"), items));
    EXPECT_FALSE(folderreader::readFolder(QFile::encodeName(root + "/missing/"), items));
    // Unless it is the configured folder itself: that link is followed,
    // those inside it still are not.
    ASSERT_EQ(::symlink("../root", QFile::encodeName(dir.path() + "/outside/back").constData()), 0);
    SearchLines linked;
    fsindex::IndexFolderSetting({root + "/out/"}, realWalker(), linked);
    const QString outside = QFileInfo(dir.path() + "/outside").canonicalFilePath() + "/";
    QStringList got = linked.toStringList();
    got.sort();
    EXPECT_EQ(got, (QStringList{"back\tback\t" + outside, "secret.txt\tsecret.txt\t" + outside}));
}

TEST(FolderReader, UnreadableFoldersContributeNothingAndTheWalkGoesOn) {
    if (::geteuid() == 0) GTEST_SKIP() << "every folder is readable to root";
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/closed"));
    touch(dir.path() + "/closed/hidden.txt");
    touch(dir.path() + "/open.txt");
    QFile(dir.path() + "/closed").setPermissions(QFileDevice::WriteOwner);
    SearchLines out;
    fsindex::IndexFolderSetting({dir.path()}, realWalker(), out);
    QFile(dir.path() + "/closed")
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(out.toStringList(), QStringList{"open.txt\topen.txt\t" + dir.path() + "/"});
}

TEST(FolderReader, DesktopEntriesAreTitledInTheUsersLanguage) {
    const QByteArray entry =
        "# comment\n[Desktop Entry]\nType=Application\nName=Text Editor\n"
        "Name[de]=Texteditor\nName[de_AT]=Texteditor (AT)\nExec=gedit %U\n"
        "[Desktop Action new]\nName=New Window\n";
    QByteArray title;
    EXPECT_TRUE(folderreader::desktopEntryTitle(entry, {"de_AT", "de"}, title));
    EXPECT_EQ(title, "Texteditor (AT)");
    EXPECT_TRUE(folderreader::desktopEntryTitle(entry, {"de_CH", "de"}, title));
    EXPECT_EQ(title, "Texteditor");
    EXPECT_TRUE(folderreader::desktopEntryTitle(entry, {}, title));
    EXPECT_EQ(title, "Text Editor");
    EXPECT_FALSE(folderreader::desktopEntryTitle("[Desktop Entry]\nName=Helper\nNoDisplay=true\n",
                                                 {}, title));
    EXPECT_FALSE(
        folderreader::desktopEntryTitle("[Desktop Entry]\nHidden=true\nName=X\n", {}, title));
    // Keys of other groups do not count.
    EXPECT_TRUE(folderreader::desktopEntryTitle(
        "[Other]\nNoDisplay=true\n[Desktop Entry]\nName=Y\n", {}, title));
    EXPECT_EQ(title, "Y");
}
