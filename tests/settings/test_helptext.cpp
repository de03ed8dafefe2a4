#include <gtest/gtest.h>

#include "settings/helptext.h"

TEST(HelpText, LinesAndBlocks) {
    const QStringList l = helptext::lines("1.2.3", "https://example.org/brennomix");
    ASSERT_EQ(l.size(), 49);
    EXPECT_EQ(l[0], "Brennomix version:1.2.3    Latest version at https://example.org/brennomix");
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[4],
              "If you want to edit manually, right click on 'Edit List' to edit the current "
              "loaded list in notepad, ");
    EXPECT_EQ(l[7], "Left click to run an item. Hold control key to run multiple items.");
    EXPECT_EQ(l[15],
              "Right click (keyboard:F3) to search Desktop, Start menu, My Documents and all "
              "lists. ");
    EXPECT_EQ(l[17],
              "   Default search paths for 'FS Search' are:the desktop, my documents and start "
              "menu, ");
    EXPECT_EQ(l[22], "");
    EXPECT_EQ(l[23], "Command line arguments:");
    EXPECT_EQ(l[33], "Other keyboard shortcuts:");
    EXPECT_EQ(l[47], " Ctrl+` or ctrl+shift+` Opens an alternate Run dialog");
    EXPECT_EQ(l[48], "Latest version: https://example.org/brennomix");
    const QString text = helptext::text("1.2.3", "https://example.org/brennomix");
    EXPECT_EQ(text.count("\r\n"), 48);
    EXPECT_TRUE(text.endsWith("https://example.org/brennomix"));
}

TEST(HelpText, WithoutAHomePageNoAddressIsShown) {
    const QStringList l = helptext::lines("0.1.0", QString());
    ASSERT_EQ(l.size(), 48);
    EXPECT_EQ(l[0], "Brennomix version:0.1.0");
    EXPECT_FALSE(l.join("\n").contains("Latest version"));
    EXPECT_EQ(helptext::version().count('.'), 2);
}
