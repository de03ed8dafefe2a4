#include <gtest/gtest.h>

#include "lists/config.h"
#include "lists/textfile.h"

using configfile::apply;
using configfile::lines;

TEST(ConfigFile, EveryOptionOnRoundTrips) {
    Config c;
    c.fsSearchPaths = "/home/u/docs;/srv/share";
    c.hotkeyCode = 'K';
    c.window2Mouse = c.hoverSelect = c.hideWhenRecalled = c.pageKeysAsArrows = true;
    c.sidebarPosition = 3;
    c.autoShowHide = c.quickSearch = true;
    c.editor = "/usr/bin/gedit";
    const QStringList file = lines(c, true);
    ASSERT_EQ(file.size(), 10);
    EXPECT_EQ(file[1], "Hotkey=K");
    EXPECT_EQ(file[6], "SideBar=3");
    Config back;
    const configfile::Effects fx = apply(file, back);
    EXPECT_EQ(back.fsSearchPaths, c.fsSearchPaths);
    EXPECT_EQ(back.hotkeyCode, 'K');
    EXPECT_TRUE(back.window2Mouse && back.hoverSelect && back.hideWhenRecalled &&
                back.pageKeysAsArrows && back.autoShowHide && back.quickSearch);
    EXPECT_EQ(back.sidebarPosition, 3);
    EXPECT_EQ(back.editor, c.editor);
    EXPECT_TRUE(fx.showSidebar);
    EXPECT_TRUE(fx.autoShowHide);
}

TEST(ConfigFile, DefaultsAsWritten) {
    Config c;
    const QStringList file = lines(c, false);
    EXPECT_EQ(file,
              (QStringList{"Desktop;My Documents;Start Menu", "Hotkey=", "Window2mouse=0",
                           "Hover select=0", "Hide when recalled=0", "Use page up/down as arrows=0",
                           "SideBar=0", "Auto Show/Hide=0", "QuickSearch=0", "Editor="}));
    Config back;
    back.hotkeyCode = 99;
    apply(file, back);
    EXPECT_EQ(back.hotkeyCode, 0);
    EXPECT_EQ(back.fsSearchPaths, "Desktop;My Documents;Start Menu");
    // A hidden sidebar is never written, whatever its position.
    c.sidebarPosition = 2;
    EXPECT_EQ(lines(c, false)[6], "SideBar=0");
}

TEST(ConfigFile, HotkeyLineRules) {
    Config c;
    apply({"", "hotkey=k"}, c);
    EXPECT_EQ(c.hotkeyCode, 75);
    apply({"", "Hotkey="}, c);  // ends after "=": no hotkey
    EXPECT_EQ(c.hotkeyCode, 0);
    c.hotkeyCode = 75;
    apply({"", QStringLiteral("Hotkey=") + QChar(0)}, c);  // as older files have it
    EXPECT_EQ(c.hotkeyCode, 0);
    c.hotkeyCode = 75;
    apply({"", "Hotkeys=K"}, c);
    EXPECT_EQ(c.hotkeyCode, 0);
    // A character beyond one UTF-16 unit names no key; the line written for
    // it reads back as the same setting.
    apply({"", QString::fromUtf8("Hotkey=\xF0\x9F\x98\x80")}, c);
    EXPECT_EQ(c.hotkeyCode, 0);
    const QStringList written = textfile::splitLines(textfile::encodeLines(lines(c, false)));
    Config again;
    again.hotkeyCode = 75;
    apply(written, again);
    EXPECT_EQ(again.hotkeyCode, 0);
}

TEST(ConfigFile, CommasAndQuotesStayInTheirLine) {
    Config c;
    const QStringList file{"/data/a,b;\"/quoted\" dir",
                           "Hotkey=J",
                           "Window2mouse=1",
                           "Hover select=1",
                           "Hide when recalled=0",
                           "Use page up/down as arrows=1",
                           "SideBar=0",
                           "Auto Show/Hide=0",
                           "QuickSearch=1",
                           "Editor=/opt/my, \"editor\""};
    apply(file, c);
    EXPECT_EQ(c.fsSearchPaths, "/data/a,b;\"/quoted\" dir");
    EXPECT_EQ(c.hotkeyCode, 'J');
    EXPECT_TRUE(c.window2Mouse);
    EXPECT_TRUE(c.hoverSelect);
    EXPECT_TRUE(c.pageKeysAsArrows);
    EXPECT_TRUE(c.quickSearch);
    EXPECT_EQ(c.editor, "/opt/my, \"editor\"");
}

TEST(ConfigFile, ShortAndLongFiles) {
    Config empty;
    apply({}, empty);
    EXPECT_EQ(empty.hotkeyCode, 0);
    EXPECT_EQ(empty.editor, "notepad.exe");

    Config three;
    three.window2Mouse = false;
    apply({"/p", "Hotkey=Q", "Window2mouse=1"}, three);
    EXPECT_EQ(three.fsSearchPaths, "/p");
    EXPECT_EQ(three.hotkeyCode, 'Q');
    EXPECT_TRUE(three.window2Mouse);
    EXPECT_FALSE(three.hoverSelect);
    EXPECT_EQ(three.editor, "notepad.exe");

    Config nine;
    QStringList file = lines(Config{}, false);
    file.removeLast();
    apply(file, nine);
    EXPECT_EQ(nine.editor, "notepad.exe");

    Config forty;
    QStringList big = lines(Config{}, false);
    big[9] = "Editor=/usr/bin/vim";
    for (int i = 0; i < 30; ++i) big << "Editor=/ignored";
    apply(big, forty);
    EXPECT_EQ(forty.editor, "/usr/bin/vim");
}

TEST(ConfigFile, ValuesCompareExactlyAfterCase) {
    Config c;
    apply({"", "", "WINDOW2MOUSE=1", "hover select = 1", "Hide when recalled=1 "}, c);
    EXPECT_TRUE(c.window2Mouse);
    EXPECT_FALSE(c.hoverSelect);
    EXPECT_FALSE(c.hideWhenRecalled);
}

TEST(ConfigFile, SecondReadKeepsSomeSettings) {
    Config c;
    c.window2Mouse = true;
    c.sidebarPosition = 2;
    QStringList file = lines(Config{}, false);  // Window2mouse=0, SideBar=0
    const configfile::Effects fx = apply(file, c);
    EXPECT_TRUE(c.window2Mouse);
    EXPECT_EQ(c.sidebarPosition, 2);
    EXPECT_FALSE(fx.showSidebar);
    file[6] = "SideBar=9";
    EXPECT_TRUE(apply(file, c).showSidebar);  // unrecognised: position kept
    EXPECT_EQ(c.sidebarPosition, 2);
}
