// The file-system index as plain rules: the line buffer, the walk order over
// a scripted folder listing, the folder settings, reading every list, and
// the cache file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

#include <sys/stat.h>
#include <unistd.h>

#include "search/fsindex.h"
#include "search/lineoffsets.h"
#include "search/searchlines.h"

using namespace fsindex;

namespace {

QStringList linesOf(const SearchLines& s) {
    return s.toStringList();
}

// A folder tree given as listings: path -> names in listing order, a
// trailing "/" marking a folder.
struct FakeTree {
    std::map<QByteArray, QList<QByteArray>> folders;
    QList<QByteArray> reads;
    Walker walker() {
        Walker w;
        w.readFolder = [this](const QByteArray& path, std::vector<FolderItem>& items) {
            reads << path;
            auto it = folders.find(path);
            if (it == folders.end()) return false;
            for (const QByteArray& n : it->second)
                items.push_back({n.endsWith('/') ? n.chopped(1) : n, n.endsWith('/')});
            return true;
        };
        return w;
    }
};

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(SearchLines, LinesEndAtCrLfCrOrLfAndKeepEmptyOnes) {
    SearchLines s;
    s.assignFile(
        "\xEF\xBB\xBF"
        "a\tb\r\n\r\nc\rd\ne\r\n\nlast");
    EXPECT_EQ(linesOf(s), (QStringList{"a\tb", "", "c", "d", "e", "", "last"}));
    EXPECT_EQ(s.fileBytes(), QByteArray("a\tb\r\n\r\nc\r\nd\r\ne\r\n\r\nlast\r\n"));
    s.assignFile("one\r\n");
    EXPECT_EQ(linesOf(s), QStringList{"one"});
    s.assignFile("");
    EXPECT_EQ(s.size(), 0);
    // Lines that are not UTF-8 read as Windows-1252; their titles are found.
    s.assignFile("Caf\xE9\tx\r\n\x80uro");
    EXPECT_EQ(linesOf(s), (QStringList{"Caf\u00E9\tx", "\u20ACuro"}));
    EXPECT_EQ(s.foldedTitle(0), QByteArrayView("caf\u00E9"));
    // Garbage and NUL bytes are lines like any other.
    s.assignFile(QByteArray("a\0b\tc\r\n\xFF\xFE", 10));
    EXPECT_EQ(s.size(), 2);
    EXPECT_EQ(s.bytes(0), QByteArrayView(QByteArray("a\0b\tc", 5)));
    // A first line that begins with the mark's bytes keeps them when saved.
    s = SearchLines::fromLines({"\xEF\xBB\xBF\tf\t/d/", "b"});
    SearchLines back;
    back.assignFile(s.fileBytes());
    EXPECT_EQ(back.fileBytes(), s.fileBytes());
    EXPECT_EQ(back.bytes(0), s.bytes(0));
}

TEST(SearchLines, AppendingKeepsLinesAndTitlesTogether) {
    SearchLines a = SearchLines::fromLines({"One\t1", "two"});
    const auto before = a.generation();
    a.append(SearchLines::fromLines({"THREE\t3\t/x/"}));
    EXPECT_NE(a.generation(), before);
    EXPECT_EQ(linesOf(a), (QStringList{"One\t1", "two", "THREE\t3\t/x/"}));
    EXPECT_EQ(a.foldedTitle(2), QByteArrayView("three"));
    EXPECT_EQ(a.foldedTitles().toByteArray(), QByteArray("one\ntwo\nthree\n"));
}

// Files of a folder come first, in listing order; then each subfolder with
// its whole tree. Each line is name, name, folder with a trailing "/".
// The lines of a file with a byte-order mark point into the bytes as read;
// the caller's buffer may be changed or dropped afterwards.
TEST(SearchLines, AMarkedFileOutlivesTheCallersBuffer) {
    QByteArray bytes(
        "\xEF\xBB\xBF"
        "first\tx\r\nsecond");
    SearchLines s;
    s.assignFile(bytes);
    bytes.replace(0, bytes.size(), QByteArray(bytes.size(), 'z'));
    bytes.clear();
    bytes.squeeze();
    EXPECT_EQ(linesOf(s), (QStringList{"first\tx", "second"}));
    s.append(QStringLiteral("third"));
    EXPECT_EQ(s.fileBytes(), QByteArray("first\tx\r\nsecond\r\nthird\r\n"));
}

// Offsets are held in 32 bits until one needs more; here that point is set
// low, as a test cannot fill 4 GiB.
TEST(LineOffsets, KeepEveryOffsetAcrossTheTurnToWideOnes) {
    for (const std::int64_t limit : {std::int64_t(100), std::int64_t(1) << 32}) {
        LineOffsets o(limit);
        const std::vector<std::int64_t> pushed = {3, 40, 99, 100, 4'000'000'000, 5'000'000'000};
        o.reserve(3);
        for (std::int64_t v : pushed) o.push_back(v);
        ASSERT_EQ(o.size(), pushed.size() + 1);
        EXPECT_EQ(o[0], 0);
        for (size_t k = 0; k < pushed.size(); ++k) EXPECT_EQ(o[k + 1], pushed[k]) << limit;
        EXPECT_EQ(o.back(), 5'000'000'000);
        EXPECT_EQ(o.upperBound(0, 40), 3u);
        EXPECT_EQ(o.upperBound(4, 40), 4u);
        EXPECT_EQ(o.upperBound(0, 4'500'000'000), 6u);
        EXPECT_EQ(o.upperBound(0, 6'000'000'000), o.size());
        o.reset();
        EXPECT_EQ(o.size(), 1u);
        o.push_back(7);
        EXPECT_EQ(o[1], 7);
    }
}

TEST(FsIndexWalk, FilesFirstThenSubfoldersDepthFirst) {
    FakeTree t;
    t.folders["/t/"] = {"b.txt", "sub/", "a.exe", "other/"};
    t.folders["/t/sub/"] = {"deep/", "s.exe"};
    t.folders["/t/sub/deep/"] = {"d.exe"};
    t.folders["/t/other/"] = {"o.txt"};
    SearchLines out;
    WalkFolderPatterns("/t", QString(), false, t.walker(), out);
    EXPECT_EQ(linesOf(out),
              (QStringList{"b.txt\tb.txt\t/t/", "a.exe\ta.exe\t/t/", "s.exe\ts.exe\t/t/sub/",
                           "d.exe\td.exe\t/t/sub/deep/", "o.txt\to.txt\t/t/other/"}));
}

TEST(FsIndexWalk, PatternsSplitAtBarWalkTheTreeOncePerPattern) {
    FakeTree t;
    t.folders["/t/"] = {"a.exe", "b.TXT", "c.txt", "sub/"};
    t.folders["/t/sub/"] = {"d.txt", "e.exe", "noext"};
    SearchLines out;
    IndexFolderSetting({"/t/*.exe|*.txt"}, t.walker(), out);
    // Case counts, as the file system names files.
    EXPECT_EQ(linesOf(out), (QStringList{"a.exe\ta.exe\t/t/", "e.exe\te.exe\t/t/sub/",
                                         "c.txt\tc.txt\t/t/", "d.txt\td.txt\t/t/sub/"}));
    // "*.*" (also the empty pattern) is every file, with or without a dot.
    SearchLines all;
    IndexFolderSetting({"/t/sub/*.*"}, t.walker(), all);
    EXPECT_EQ(all.size(), 3);
    EXPECT_TRUE(patternMatches("a?c", "abc"));
    EXPECT_FALSE(patternMatches("a?c", "abbc"));
    // Only "*" and "?" are wildcards: brackets and backslashes name
    // themselves.
    EXPECT_TRUE(patternMatches("[ab].txt", "[ab].txt"));
    EXPECT_FALSE(patternMatches("[ab].txt", "a.txt"));
    EXPECT_TRUE(patternMatches("a\\*", "a\\b"));
    EXPECT_FALSE(patternMatches("a\\*", "a*"));
    EXPECT_TRUE(patternMatches("*a*b?", "xxaxxabc"));
    EXPECT_FALSE(patternMatches("*a*b?", "xxaxxab"));
    EXPECT_TRUE(patternMatches("**", ""));
    EXPECT_FALSE(patternMatches("?", ""));
}

TEST(FsIndexWalk, UnreadableFoldersAndEmptySettingsGiveNothing) {
    FakeTree t;
    t.folders["/t/"] = {"gone/", "x"};
    SearchLines out;
    IndexFolderSetting({"/t"}, t.walker(), out);
    EXPECT_EQ(linesOf(out), QStringList{"x\tx\t/t/"});
    // A setting that starts with "*" or is empty names no folder.
    t.reads.clear();
    IndexFolderSetting({"*.exe"}, t.walker(), out);
    IndexFolderSetting({""}, t.walker(), out);
    EXPECT_TRUE(t.reads.isEmpty());
    EXPECT_EQ(out.size(), 1);
}

TEST(FsIndexWalk, ApplicationFoldersGiveOnlyTheirEntriesEachWithItsName) {
    FakeTree t;
    t.folders["/apps/"] = {"org.editor.desktop", "hidden.desktop", "readme", "plain.desktop",
                           "mimeinfo.cache"};
    Walker w = t.walker();
    w.desktopEntryTitle = [](const QByteArray& path, QByteArray& title) {
        if (path.endsWith("hidden.desktop")) return false;
        title = path.endsWith("org.editor.desktop") ? QByteArray("Text\tEditor") : QByteArray();
        return true;
    };
    SearchLines out;
    IndexFolderSetting({"/apps", true}, w, out);
    // The menus' caches and other files beside the entries start nothing.
    EXPECT_EQ(linesOf(out), (QStringList{"Text Editor\torg.editor.desktop\t/apps/",
                                         "plain.desktop\tplain.desktop\t/apps/"}));
    // Outside an application folder a desktop file is a file like others.
    SearchLines plain;
    IndexFolderSetting({"/apps", false}, w, plain);
    EXPECT_EQ(plain.size(), 5);
}

// A name with a TAB or a line end would forge fields or whole lines: such
// files, and everything below such folders, stay out; the index saved and
// loaded again holds exactly the lines the walk made.
TEST(FsIndexWalk, NamesThatWouldBreakALineAreLeftOut) {
    FakeTree t;
    t.folders["/t/"] = {"Browser\tsh\t~\t-c 'touch x'",
                        "two\nlines",
                        "cr\rname",
                        "ok \xFF.txt",
                        "tab\tdir/",
                        "line\ndir/",
                        "sub/"};
    t.folders["/t/tab\tdir/"] = {"inner"};
    t.folders["/t/line\ndir/"] = {"inner"};
    t.folders["/t/sub/"] = {"fine"};
    SearchLines out;
    IndexFolderSetting({"/t"}, t.walker(), out);
    EXPECT_EQ(out.size(), 2);
    EXPECT_EQ(out.bytes(0), QByteArrayView("ok \xFF.txt\tok \xFF.txt\t/t/"));
    EXPECT_EQ(out.bytes(1), QByteArrayView("fine\tfine\t/t/sub/"));
    EXPECT_FALSE(t.reads.contains("/t/tab\tdir/"));
    // A configured folder that cannot be stored indexes nothing.
    t.folders["/a\tb/"] = {"x"};
    SearchLines none;
    IndexFolderSetting({"/a\tb"}, t.walker(), none);
    EXPECT_EQ(none.size(), 0);

    QTemporaryDir dir;
    const QString file = dir.filePath("FsSearch.txt");
    ASSERT_TRUE(SaveFsIndex(file, out));
    SearchLines back;
    ASSERT_TRUE(LoadFsIndex(file, back));
    EXPECT_EQ(back.fileBytes(), out.fileBytes());
    EXPECT_EQ(indexTitle("a\tb\r\nc"), QByteArray("a b  c"));
}

TEST(FsIndexFolders, SettingsNameSpecialFoldersInOrder) {
    auto special = [](int n) -> QStringList {
        switch (n) {
            case UserDesktop:
                return {"/home/u/Desktop"};
            case UserDocuments:
                return {"/home/u/Documents"};
            case UserStartMenu:
                return {"/home/u/.local/share/applications"};
            case CommonStartMenu:
                return {"/usr/local/share/applications", "/usr/share/applications"};
            default:
                return {};
        }
    };
    auto settings = [&](const QString& paths) {
        QStringList out;
        for (const FolderSetting& s : folderSettings(paths, special))
            out << s.setting + (s.applications ? "(apps)" : "");
        return out;
    };
    const QStringList defaults = {
        "/home/u/Desktop", "/home/u/Documents", "/usr/local/share/applications(apps)",
        "/usr/share/applications(apps)", "/home/u/.local/share/applications(apps)"};
    EXPECT_EQ(settings(""), defaults);
    EXPECT_EQ(settings("Desktop;My Documents;Start Menu"), defaults);
    // Relative folders (what a ";" in a folder name left behind) are not
    // walked from wherever the program started.
    EXPECT_EQ(settings("DESKTOP;/opt/tools/*.sh;;/usr/share/applications/kde*.desktop;"
                       "tools;b/*.sh"),
              (QStringList{"/home/u/Desktop", "/opt/tools/*.sh",
                           "/usr/share/applications/kde*.desktop(apps)"}));
}

TEST(FsIndexFolders, AnAddedFolderKeepsTheDefaultsAndOnlyFoldersTheSettingCanHold) {
    EXPECT_EQ(withSearchFolder("", "/data"), "Desktop;My Documents;Start Menu;/data");
    EXPECT_EQ(withSearchFolder("/a", "/data"), "/a;/data");
    EXPECT_TRUE(fitsSearchSetting("/data/x y"));
    EXPECT_FALSE(fitsSearchSetting("/data/a;b"));
    EXPECT_FALSE(fitsSearchSetting("data"));
}

class ReadingLists : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void list(const QString& stem, const QByteArray& bytes) {
        writeBytes(dir.path() + "/" + stem + ".ini", bytes);
    }
    QStringList read(QStringList* names = nullptr) {
        SearchLines lines;
        QStringList n;
        ReadAllLists(dir.path(), lines, n);
        if (names) *names = n;
        return linesOf(lines);
    }
};

TEST_F(ReadingLists, TheTopListThenEachListInTheOrderReached) {
    list("Brennomix", "Games\t\t\t\t\t\r\nEdit\tgedit\r\n\r\nTools\t\t\r\nTwo\t\r\n");
    list("mGames", "Arcade\t\t\t\t\t\r\nChess\tchess\r\n");
    list("mArcade", "Pong\tpong\r\n");
    // "Tools\t\t" has three fields; "Two\t" only two: not a sublist.
    list("mTools", "Hammer\thammer\r\n");
    list("mTwo", "never\r\n");
    QStringList names;
    EXPECT_EQ(read(&names),
              (QStringList{"Games\t\t\t\t\t", "Edit\tgedit", "", "Tools\t\t", "Two\t",
                           "Arcade\t\t\t\t\t", "Chess\tchess", "Hammer\thammer", "Pong\tpong"}));
    // The empty line names a list too (of no file here).
    EXPECT_EQ(names, (QStringList{"Games", "", "Tools", "Arcade"}));
}

TEST_F(ReadingLists, CirclesEndAndListsNamedTwiceAreReadTwice) {
    // A names B and B names A: each is read once.
    list("Brennomix", "A\t\t\t\t\t\r\n");
    list("mA", "a1\ta\r\nB\t\t\t\t\t\r\n");
    list("mB", "b1\tb\r\nA\t\t\t\t\t\r\n");
    EXPECT_EQ(read(), (QStringList{"A\t\t\t\t\t", "a1\ta", "B\t\t\t\t\t", "b1\tb", "A\t\t\t\t\t"}));
    // G named by the top list and again by T, without a circle: read twice.
    list("Brennomix", "G\t\t\t\t\t\r\nT\t\t\t\t\t\r\n");
    list("mT", "G\t\t\t\t\t\r\n");
    list("mG", "g\tg\r\n");
    EXPECT_EQ(read(), (QStringList{"G\t\t\t\t\t", "T\t\t\t\t\t", "g\tg", "G\t\t\t\t\t", "g\tg"}));
    // A list naming itself is read once.
    list("Brennomix", "Self\t\t\t\t\t\r\n");
    list("mSelf", "Self\t\t\t\t\t\r\nx\tx\r\n");
    EXPECT_EQ(read(), (QStringList{"Self\t\t\t\t\t", "Self\t\t\t\t\t", "x\tx"}));
    // Names never reach outside the program folder.
    list("Brennomix", "../etc/passwd\r\n");
    EXPECT_EQ(read(), QStringList{"../etc/passwd"});
}

// A list that is a pipe or a link to a device is skipped, not waited on or
// read for ever; the lists after it are still read.
TEST_F(ReadingLists, PipesAndDevicesNamedLikeListsAreSkipped) {
    list("Brennomix", "Pipe\t\t\t\t\t\r\nZero\t\t\t\t\t\r\nOk\t\t\t\t\t\r\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path() + "/mPipe.ini").constData(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(dir.path() + "/mZero.ini").constData()), 0);
    list("mOk", "ok\tok\r\n");
    EXPECT_EQ(read(), (QStringList{"Pipe\t\t\t\t\t", "Zero\t\t\t\t\t", "Ok\t\t\t\t\t", "ok\tok"}));
    SearchLines index;
    EXPECT_FALSE(LoadFsIndex(dir.path() + "/mPipe.ini", index));
    EXPECT_FALSE(LoadFsIndex(dir.path() + "/mZero.ini", index));
}

TEST_F(ReadingLists, WithoutTheTopListNothingIsRead) {
    list("mGames", "x\tx\r\n");
    EXPECT_TRUE(read().isEmpty());
}

TEST(FsIndexFile, SavedWholeForTheUserOnlyAndReadBack) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/FsSearch.txt";
    writeBytes(file, "old\r\n");
    QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                               QFileDevice::ReadOther);
    SearchLines lines = SearchLines::fromLines({"a\ta\t/x/", "", "b"});
    ASSERT_TRUE(SaveFsIndex(file, lines));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("a\ta\t/x/\r\n\r\nb\r\n"));
    EXPECT_EQ(QFile(file).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Nothing is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"FsSearch.txt"});

    SearchLines back;
    ASSERT_TRUE(LoadFsIndex(file, back));
    EXPECT_EQ(linesOf(back), linesOf(lines));
    // A folder where the file should be: nothing is written, nothing read.
    const QString folder = dir.path() + "/FsSearch2.txt";
    QDir().mkdir(folder);
    EXPECT_FALSE(SaveFsIndex(folder, lines));
    EXPECT_FALSE(LoadFsIndex(folder, back));
    EXPECT_EQ(back.size(), 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"FsSearch.txt"});
}

// A large index is mapped rather than copied: it must read as the same
// lines, survive being replaced, copied and extended, and a file cut short
// in place by another program must not bring the program down.
TEST(FsIndexFile, LargeFileReadsAsItsBytesAndOutlivesChanges) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/FsSearch.txt";
    QByteArray bytes = "\xEF\xBB\xBF";
    for (int i = 0; i < 40000; ++i)
        bytes += "Caf\xC3\xA9 " + QByteArray::number(i) + "\tREPORT.pdf\t/home/u/\r\n" +
                 (i % 7 == 0 ? QByteArray("\xC4ra\rlone\n") : QByteArray());
    ASSERT_GT(bytes.size(), 1 << 20);
    writeBytes(file, bytes);
    SearchLines copied;
    copied.assignFile(bytes);
    SearchLines mapped;
    ASSERT_TRUE(LoadFsIndex(file, mapped));
    ASSERT_EQ(mapped.size(), copied.size());
    EXPECT_EQ(mapped.line(0), QStringLiteral("Caf\u00e9 0\tREPORT.pdf\t/home/u/"));
    for (int i = 0; i < mapped.size(); i += 997) {
        EXPECT_EQ(mapped.bytes(i), copied.bytes(i));
        EXPECT_EQ(mapped.foldedTitle(i), copied.foldedTitle(i));
    }

    // Replaced whole: the lines loaded stay as they were, in every copy.
    SearchLines kept = mapped;
    ASSERT_TRUE(SaveFsIndex(file, SearchLines::fromLines({"new"})));
    mapped.clear();
    EXPECT_EQ(kept.size(), copied.size());
    EXPECT_EQ(kept.bytes(kept.size() - 1), copied.bytes(copied.size() - 1));
    kept.append(QByteArrayView("added\tx"));
    EXPECT_EQ(kept.line(kept.size() - 1), QStringLiteral("added\tx"));
    EXPECT_EQ(kept.bytes(1), copied.bytes(1));

    // Cut short in place: what lies past the new end reads as zeros.
    writeBytes(file, bytes);
    ASSERT_TRUE(LoadFsIndex(file, mapped));
    ASSERT_TRUE(QFile::resize(file, 100));
    const QByteArrayView last = mapped.bytes(mapped.size() - 2);
    // (its line end, zeros too, now counts as part of it)
    EXPECT_EQ(last.size(), copied.bytes(copied.size() - 2).size() + 1);
    EXPECT_EQ(last.count('\0'), last.size());
}
