#include <gtest/gtest.h>

#include "qtprinters.h"

#include "run/entryrules.h"

using namespace entryrules;

TEST(EntryRules, RowShapesGiveFilenamePathAndArguments) {
    EntryFields list = fieldsOf("x.sh", "/opt/x/", "-v");
    EXPECT_EQ(list.filename, "x.sh");
    EXPECT_EQ(list.path, "/opt/x/");
    EXPECT_EQ(list.arguments, "-v");

    // A result row carries its source line: fields counted from the title.
    EntryFields full = fieldsOf("Tool\ttool\t/opt/\t--fast\t0,0,0\tBold", "ignored", "ignored");
    EXPECT_EQ(full.filename, "tool");
    EXPECT_EQ(full.path, "/opt/");
    EXPECT_EQ(full.arguments, "--fast");
    EntryFields two = fieldsOf("Doc\t/home/u/doc.txt", "", "");
    EXPECT_EQ(two.filename, "/home/u/doc.txt");
    EXPECT_EQ(two.path, "");
    EXPECT_EQ(two.arguments, "");
    EntryFields three = fieldsOf("Doc\tdoc.txt\t/home/u/", "", "");
    EXPECT_EQ(three.path, "/home/u/");
    EXPECT_EQ(three.arguments, "");
}

TEST(EntryRules, SublistRowsAreEmptyFilenamesOrSublistLines) {
    EXPECT_TRUE(isSublistRow(""));
    EXPECT_TRUE(isSublistRow("Tools\t\t\t\t\t"));
    EXPECT_FALSE(isSublistRow("Tools\t\t\t\t"));
    EXPECT_FALSE(isSublistRow("tool.sh"));
    EXPECT_FALSE(isSublistRow("Tool\ttool\t\t\t\t"));
}

TEST(EntryRules, FullPathAndShortcutRows) {
    EXPECT_EQ(fullPath("/apps/x", "/other/"), "/apps/x");
    EXPECT_EQ(fullPath("x", "/other/"), "/other/x");
    // Path is run together with Filename, as stored.
    EXPECT_EQ(fullPath("x", "/other"), "/otherx");

    EXPECT_TRUE(isShortcutRow("a.lnk.txt"));
    EXPECT_TRUE(isShortcutRow("Editor.LNK"));
    EXPECT_TRUE(isShortcutRow("org.gnome.Calc.Desktop"));
    EXPECT_FALSE(isShortcutRow("notes.desktop.txt"));
    EXPECT_FALSE(isShortcutRow("calc.exe"));
}

TEST(EntryRules, TextsShownAboutALaunch) {
    EXPECT_EQ(launchingText("Calc.exe"), "LAUNCHING  CALC.EXE");
    EXPECT_EQ(retryName("/apps/tools/tool"), "tool");
    EXPECT_EQ(retryName("tool"), "tool");
    EXPECT_EQ(notFoundText("/apps/", "tool", true),
              "Check path:\r\n /apps/\r\nand name:\r\n tool\r\nLook for it now?");
    EXPECT_EQ(notFoundText("", "tool", false), "Check path:\r\n \r\nand name:\r\n tool");
}

TEST(EntryRules, CopyablePathOfListRowsAndResults) {
    EXPECT_EQ(copyablePath("app", "/tools/"), "/tools/app");
    EXPECT_EQ(copyablePath("/tools/app", "/elsewhere/"), "/tools/app");
    // A bare program name, an address without a Path, a sublist: nothing.
    EXPECT_EQ(copyablePath("gedit", ""), std::nullopt);
    EXPECT_EQ(copyablePath("", ""), std::nullopt);
    EXPECT_EQ(copyablePath("https://example.org/a", "/x/"), std::nullopt);
    // Result rows: two fields give the Filename even without a folder.
    EXPECT_EQ(copyablePath("Doc\tdoc.txt", ""), "doc.txt");
    EXPECT_EQ(copyablePath("Doc\tdoc.txt\t/home/u/", ""), "/home/u/doc.txt");
    EXPECT_EQ(copyablePath("Doc\t/abs/doc.txt\t/home/u/", ""), "/abs/doc.txt");
    EXPECT_EQ(copyablePath("Tools\t\t\t\t\t", ""), std::nullopt);

    EXPECT_EQ(folderOf("/home/u/doc.txt"), "/home/u/");
    EXPECT_EQ(folderOf("doc.txt"), "");
}

TEST(EntryRules, RowUnderThePointerRoundsUp) {
    EXPECT_EQ(rowIndexAt(0), -1);
    EXPECT_EQ(rowIndexAt(0.5f), 0);
    EXPECT_EQ(rowIndexAt(240), 0);
    EXPECT_EQ(rowIndexAt(240.5f), 1);
    EXPECT_EQ(rowIndexAt(250), 1);
    EXPECT_EQ(rowIndexAt(480), 1);
    EXPECT_EQ(rowIndexAt(-100), -1);
}

TEST(EntryRules, ArgumentsForPendixAndJoinedShortcutArguments) {
    EXPECT_EQ(pendixArguments("/opt/", "tool", "-x"), "/300 /quit /cmd:/opt/tool -x");
    EXPECT_EQ(pendixArguments("", "Tools\t\t\t\t\t", ""), "/300 /quit /cmd:Tools\t\t\t\t\t ");
    EXPECT_EQ(joinArguments("--new-window", "file.txt"), "--new-window file.txt");
    EXPECT_EQ(joinArguments("", "file.txt"), "file.txt");
    EXPECT_EQ(joinArguments("--new-window", ""), "--new-window");
}
