// The editing rules that need no window.
#include <gtest/gtest.h>

#include "edit/editrules.h"
#include "platform/commandline.h"
#include "qtprinters.h"

using namespace editrules;

namespace {

PathEntry entry(const QString& p, bool isFile) {
    const std::optional<PathEntry> e = entryFromPath(p, isFile);
    EXPECT_TRUE(e.has_value()) << p.toStdString();
    return e.value_or(PathEntry{});
}

void expectEntry(const PathEntry& e, const QString& title, const QString& filename,
                 const QString& path) {
    EXPECT_EQ(e.title, title);
    EXPECT_EQ(e.filename, filename);
    EXPECT_EQ(e.path, path);
}

}  // namespace

TEST(EntryFromPath, FilesLoseTheirLastExtensionFoldersKeepTheirName) {
    expectEntry(entry("/usr/bin/gedit.sh", true), "gedit", "/usr/bin/gedit.sh", "/usr/bin/");
    expectEntry(entry("/data/archive.tar.gz", true), "archive.tar", "/data/archive.tar.gz",
                "/data/");
    expectEntry(entry("/data/My.Projects", false), "My.Projects", "/data/My.Projects", "/data/");
    // A path that cannot be examined counts as a folder.
    expectEntry(entry("/gone/report.pdf", false), "report.pdf", "/gone/report.pdf", "/gone/");
}

TEST(EntryFromPath, NamesWithoutAnExtensionAreKeptWhole) {
    expectEntry(entry("/usr/bin/gimp", true), "gimp", "/usr/bin/gimp", "/usr/bin/");
    expectEntry(entry("/home/u/.bashrc", true), ".bashrc", "/home/u/.bashrc", "/home/u/");
    expectEntry(entry("/opt/ tool .sh", true), "tool", "/opt/ tool .sh", "/opt/");
}

TEST(EntryFromPath, TrailingSeparatorsAddressesAndBareText) {
    expectEntry(entry("/", false), "/", "/", "/");
    expectEntry(entry("/srv/share/", false), "/srv/share/", "/srv/share/", "/srv/share/");
    expectEntry(entry("https://example.org/docs/page.html", false), "example.org",
                "https://example.org/docs/page.html", "");
    expectEntry(entry("notes", false), "", "notes", "");
    EXPECT_FALSE(entryFromPath("https://example.org", false));
    EXPECT_FALSE(entryFromPath("", false));
}

TEST(EntryFromPath, DesktopEntriesAreTheShortcuts) {
    EXPECT_TRUE(isShortcutPath("/home/u/Desktop/Editor.desktop"));
    EXPECT_TRUE(isShortcutPath("/x/App.DESKTOP"));
    EXPECT_FALSE(isShortcutPath("/x/App.lnk"));
    EXPECT_FALSE(isShortcutPath("/x/desktop"));
}

TEST(DroppedPath, FirstLocalFileThenTextThenAddress) {
    const QList<QUrl> files{QUrl("file:///home/u/My%20Files/a%24b.txt"),
                            QUrl("file:///home/u/second.txt")};
    EXPECT_EQ(droppedPath(files, "ignored"), "/home/u/My Files/a$b.txt");
    EXPECT_EQ(droppedPath({QUrl("https://x.org/a")}, "https://x.org/a\r\n"), "https://x.org/a");
    EXPECT_EQ(droppedPath({}, "\n  first line \nsecond"), "first line");
    EXPECT_EQ(droppedPath({QUrl("https://x.org/b")}, QString()), "https://x.org/b");
    EXPECT_EQ(droppedPath({}, "a\tb"), "a b");
    // A file keeps its exact name, so that adding it can refuse it.
    EXPECT_EQ(droppedPath({QUrl::fromLocalFile("/tmp/a\tb\nc")}, QString()), "/tmp/a\tb\nc");
    EXPECT_EQ(droppedPath({}, QString()), "");
    EXPECT_EQ(droppedPath({}, " \r\n "), "");
}

TEST(SublistNames, TheStemOpenedAndWhatCanNameAList) {
    EXPECT_EQ(sublistStem("Tools"), "mTools");
    EXPECT_EQ(sublistStem("my.list"), "mmy");
    EXPECT_TRUE(isValidSublistName("Games 2"));
    EXPECT_FALSE(isValidSublistName("a/b"));
    EXPECT_FALSE(isValidSublistName(QString("a") + QChar(u'\0')));
    EXPECT_FALSE(isValidSublistName("  "));
    EXPECT_FALSE(isValidSublistName(".ini"));
}

TEST(Availability, EachViewEnablesItsCommands) {
    const EditCommands all = commandsFor(EditView::ListWithEntries);
    EXPECT_TRUE(all.editList && all.browse && all.bold && all.color && all.rename && all.del &&
                all.edit && all.order && all.newList && all.args && all.browseFor);
    const EditCommands empty = commandsFor(EditView::EmptyList);
    EXPECT_TRUE(empty.browse && empty.editList && empty.order && empty.newList);
    EXPECT_FALSE(empty.bold || empty.color || empty.rename || empty.del || empty.edit ||
                 empty.args || empty.browseFor);
    const EditCommands results = commandsFor(EditView::SearchResults);
    EXPECT_FALSE(results.editList || results.browse || results.bold || results.color ||
                 results.rename || results.del || results.edit || results.order ||
                 results.newList || results.args || results.browseFor);
}

TEST(MoveTarget, OneRowAtATimeWithinTheList) {
    EXPECT_EQ(moveTarget(5, 6, true, -1), 4);
    EXPECT_EQ(moveTarget(5, 6, true, +1), 6);
    EXPECT_EQ(moveTarget(1, 6, true, -1), 0);
    EXPECT_EQ(moveTarget(6, 6, true, +1), 0);
    EXPECT_EQ(moveTarget(3, 6, false, -1), 0);
    EXPECT_EQ(moveTarget(0, 6, true, +1), 0);
}

TEST(Colors, ChannelsValuesAndFields) {
    std::int16_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(ColorCodeToRGB(0 + 256 * 128 + 65536 * 255, r, g, b));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 128);
    EXPECT_EQ(b, 255);
    // Truncating division, remainders with the sign of the code.
    ColorCodeToRGB(-300, r, g, b);
    EXPECT_EQ(r, -44);
    EXPECT_EQ(g, -1);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(colorValue(300, 128, 0), 255u + 256u * 128u);
    EXPECT_EQ(colorField(300, 0, 7), "300,0,7");
    EXPECT_EQ(parseChannel(" 200 "), std::int16_t(200));
    EXPECT_EQ(parseChannel("32767"), std::int16_t(32767));
    for (const char* bad : {"", "abc", "12x", "1.5", "-1", "32768"})
        EXPECT_FALSE(parseChannel(bad)) << bad;
}

TEST(EditorCommand, TheFileStaysOneWordWhateverItHolds) {
    const QString file = "/home/u/my lists/it's \"$HOME\" `x`.ini";
    EXPECT_EQ(editorCommand("notepad", file), (QStringList{"notepad", file}));
    EXPECT_EQ(editorCommand("\"/opt/My Editor/edit\" --new-window", file),
              (QStringList{"/opt/My Editor/edit", "--new-window", file}));
    EXPECT_EQ(editorCommand("code --wait %f --reuse", file),
              (QStringList{"code", "--wait", file, "--reuse"}));
    EXPECT_EQ(editorCommand("gedit", ""), QStringList{"gedit"});
    EXPECT_TRUE(editorCommand("\"unclosed", file).isEmpty());
    EXPECT_TRUE(editorCommand("   ", file).isEmpty());
    // The command line handed to the platform splits back into those words.
    const QStringList words = editorCommand("kate -n", file);
    EXPECT_EQ(commandline::split(commandline::join(words)), words);
}

TEST(EditorCommand, TheEntrysPathAndTheNameOfItsFile) {
    EXPECT_EQ(editorFile("/tools/app.cfg", "/tools/"), "/tools/app.cfg");
    EXPECT_EQ(editorFile("/tools/app.cfg", ""), "app.cfg");
    EXPECT_EQ(editorFile("notepad.exe", ""), "notepad.exe");
}

TEST(EntryFromPath, SeparatorsInANameBlankTheTitleAndRefuseThePath) {
    const PathEntry e = entry("/tmp/two\tcolumns\nreport.txt", true);
    expectEntry(e, "two columns report", "/tmp/two\tcolumns\nreport.txt", "/tmp/");
    EXPECT_EQ(entry("/tmp/dir\r/", false).title, "/tmp/dir /");
    EXPECT_EQ(unstorablePathText("/tmp/a b.txt"), "");
    for (const QString p : {"/tmp/a\tb", "/tmp/a\rb", "/tmp/a\nb"}) {
        const QString text = unstorablePathText(p);
        EXPECT_FALSE(text.isEmpty()) << p.toStdString();
        // The name is shown on one line, its separators spelled out.
        EXPECT_FALSE(text.section(u'\n', -1).contains(u'\t'));
        EXPECT_TRUE(text.endsWith("/tmp/a\\tb") || text.endsWith("/tmp/a\\rb") ||
                    text.endsWith("/tmp/a\\nb"));
    }
}
