#include <gtest/gtest.h>

#include "lists/listfile.h"

using namespace listfile;

TEST(ListLine, SublistLookFollowsAnEmptyFilename) {
    for (const char* line : {"tools", "tools\t", "tools\t\t\\apps\\", "tools\t\t\t\t\t"}) {
        const ParsedLine p = parseLine(QString::fromLatin1(line));
        EXPECT_EQ(p.color, kSublistColor) << line;
        EXPECT_TRUE(p.bold) << line;
        EXPECT_EQ(p.fields[0], "tools");
    }
    const ParsedLine program = parseLine("Calc\tcalc.exe");
    EXPECT_EQ(program.color, kDefaultTextColor);
    EXPECT_FALSE(program.bold);
}

TEST(ListLine, FieldsBeyondTheSixthAreDroppedAndEmptyFieldsKept) {
    const ParsedLine p = parseLine("t\tf\t\targs\t1,2,3\tBold\textra\tmore");
    EXPECT_EQ(p.fields, (QStringList{"t", "f", "", "args", "1,2,3", "Bold"}));
    EXPECT_EQ(p.color, rgb(1, 2, 3));
    EXPECT_TRUE(p.bold);
}

TEST(ListLine, BoldFieldIsCaseInsensitiveButExact) {
    EXPECT_TRUE(parseLine("t\tf\t\t\t\tbold").bold);
    EXPECT_TRUE(parseLine("t\tf\t\t\t\tBOLD").bold);
    EXPECT_FALSE(parseLine("t\tf\t\t\t\tBold ").bold);
}

TEST(ListColor, ValidAndInvalidColourFields) {
    EXPECT_EQ(parseColor("255,0,0"), rgb(255, 0, 0));
    EXPECT_EQ(parseColor("300,0,0"), rgb(255, 0, 0));
    EXPECT_EQ(parseColor("0.5,1.5,2.5"), rgb(0, 2, 2));  // halves to even
    EXPECT_EQ(parseColor(" 10 , 20 , 30 ,99"), rgb(10, 20, 30));
    EXPECT_FALSE(parseColor("255,0"));
    EXPECT_FALSE(parseColor("red,0,0"));
    EXPECT_FALSE(parseColor("-1,0,0"));
    EXPECT_FALSE(parseColor(""));
    // A bad colour keeps the colour the line had: the sublist one here.
    EXPECT_EQ(parseLine("sub\t\t\t\tred,0,0").color, kSublistColor);
}

TEST(ListLine, FormatAlwaysWritesSixFields) {
    EXPECT_EQ(formatLine("tools", {}), "tools\t\t\t\t\t");
    EXPECT_EQ(formatLine("a", {"b", "c", "d", "e", "f"}), "a\tb\tc\td\te\tf");
    EXPECT_EQ(parseLine(formatLine("tools", {})).color, kSublistColor);
    // A tab or line break inside a field never splits the line.
    const QString line = formatLine("a\tb", {"/x/c\nd", "", "-e\r\n", "", ""});
    EXPECT_EQ(line, "a b\t/x/c d\t\t-e  \t\t");
    EXPECT_EQ(parseLine(line).fields.size(), kFields);
    EXPECT_FALSE(isStorableField("/tmp/a\tb"));
    EXPECT_TRUE(isStorableField("/tmp/a b"));
}

TEST(ListIdentity, NamesCleanToStems) {
    EXPECT_EQ(cleanName(""), "Brennomix");
    EXPECT_EQ(cleanName("/123"), "Brennomix");
    EXPECT_EQ(cleanName("/install"), "Brennomix");
    EXPECT_EQ(cleanName("\"mtools\""), "mtools");
    EXPECT_EQ(cleanName("mtools.ini"), "mtools");
    EXPECT_EQ(cleanName("a.b.ini"), "a.b");
    // Short names are cleaned like long ones.
    EXPECT_EQ(cleanName("mx.ini"), "mx");
    EXPECT_EQ(cleanName("\"m\""), "m");
}

TEST(ListIdentity, CaptionNamesTheList) {
    EXPECT_EQ(captionFor("Brennomix"), "Brennomix Launcher");
    EXPECT_EQ(captionFor("mtools"), "Brennomix tools");
}

TEST(ListIdentity, UnsafeStemsAreRefused) {
    EXPECT_TRUE(isSafeStem("mtools"));
    EXPECT_TRUE(isSafeStem("m.."));
    EXPECT_FALSE(isSafeStem(""));
    EXPECT_FALSE(isSafeStem("m/../../etc/passwd"));
    EXPECT_FALSE(isSafeStem("a/b"));
    EXPECT_FALSE(isSafeStem(QStringLiteral("m") + QChar(u'\0') + "x"));
}
