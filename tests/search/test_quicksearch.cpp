#include <gtest/gtest.h>

#include <random>

#include "search/quicksearch.h"

using namespace quicksearch;

namespace {
std::vector<int> found(const QStringList& source, const QString& text) {
    return filter(SearchLines::fromLines(source), foldSearchText(text));
}
}  // namespace

TEST(QuickSearchRules, MatchesTheTitleOnlyIgnoringCase) {
    const QStringList source = {"Notepad\tnotepad.exe", "Calc\tpad.exe", "WordPad\twrite.exe",
                                "notes without tab", "\tpadless.exe"};
    EXPECT_EQ(found(source, "pad"), (std::vector<int>{0, 2}));
    EXPECT_EQ(found(source, "PAD"), (std::vector<int>{0, 2}));
    EXPECT_EQ(found(source, "wordp"), (std::vector<int>{2}));
    // A line without TAB is its own title.
    EXPECT_EQ(found(source, "without"), (std::vector<int>{3}));
    // Text beyond the title (the file name) never matches.
    EXPECT_TRUE(found(source, ".exe").empty());
    EXPECT_TRUE(found(source, "padless").empty());
}

TEST(QuickSearchRules, RowsShowTitlesAndMarkedLinesInDarkRed) {
    EXPECT_EQ(rowText("Notepad\tnotepad.exe\t\t\t\t"), "Notepad");
    EXPECT_EQ(rowText("just a line"), "just a line");
    EXPECT_EQ(rowColor("Notepad\tnotepad.exe"), listfile::kDefaultTextColor);
    // A "!" line shows everything after the "!", further fields included.
    EXPECT_EQ(rowText("!Tools\ttools.exe\t/opt\t"), "Tools\ttools.exe\t/opt\t");
    EXPECT_EQ(rowColor("!Tools\ttools.exe"), listfile::rgb(180, 0, 0));
    // It is still matched on its title field, "!" included.
    const QStringList source = {"!Tools\ttools.exe", "a\t!b"};
    EXPECT_EQ(found(source, "tool"), (std::vector<int>{0}));
    EXPECT_EQ(found(source, "!"), (std::vector<int>{0}));
}

TEST(QuickSearchRules, KeepsSourceOrderAndDuplicates) {
    const QStringList source = {"b pad\tx", "a pad\ty", "b pad\tx", "other", "A PAD\tz"};
    EXPECT_EQ(found(source, "pad"), (std::vector<int>{0, 1, 2, 4}));
}

TEST(QuickSearchRules, EmptyTextFindsEveryLineWithATitle) {
    const QStringList source = {"a\ta.exe", "", "\tuntitled.exe", "b", "!"};
    EXPECT_EQ(found(source, ""), (std::vector<int>{0, 3, 4}));
}

// Typing more letters re-examines only the previous matches, and must find
// exactly what a fresh filter finds.
TEST(QuickSearchRules, ExtendingTheTextFindsWhatAFreshFilterFinds) {
    std::mt19937 random(7);
    const QString letters = QStringLiteral("abcAB\t!");
    QStringList source;
    for (int i = 0; i < 3000; ++i) {
        QString line;
        const int n = int(random() % 12);
        for (int k = 0; k < n; ++k) line += letters[int(random() % letters.size())];
        source << line;
    }
    const SearchLines lines = SearchLines::fromLines(source);
    Filter f;
    for (const QString text : {"", "a", "aB", "aba", "abaC"}) {
        const std::vector<int> rows = f.update(lines, text);
        EXPECT_EQ(rows, found(source, text)) << text.toStdString();
        EXPECT_EQ(f.refined(), text != QString()) << text.toStdString();
    }
    // Deleting a letter is not an extension: filtered afresh.
    EXPECT_EQ(f.update(lines, "ab"), found(source, "ab"));
    EXPECT_FALSE(f.refined());
}

TEST(QuickSearchRules, AChangedSourceIsFilteredAfresh) {
    SearchLines source = SearchLines::fromLines({"pad one", "pad two", "other"});
    Filter f;
    EXPECT_EQ(f.update(source, "pa"), (std::vector<int>{0, 1}));
    // The same object with another line added.
    source.append(QStringLiteral("pad three"));
    EXPECT_EQ(f.update(source, "pad"), (std::vector<int>{0, 1, 3}));
    EXPECT_FALSE(f.refined());
    // Another source of the same lines.
    const SearchLines other = SearchLines::fromLines({"pad one", "x", "x"});
    EXPECT_EQ(f.update(other, "pad "), (std::vector<int>{0}));
    EXPECT_FALSE(f.refined());
}

TEST(QuickSearchRules, CaseIsIgnoredBeyondAscii) {
    const QStringList source = {"\u00C4PFEL\tapfel.desktop", "Stra\u00DFe", "caf\u00E9 au lait",
                                "Kelvin \u212A"};
    EXPECT_EQ(found(source, "\u00E4pf"), (std::vector<int>{0}));
    EXPECT_EQ(found(source, "STRA\u00DF"), (std::vector<int>{1}));
    EXPECT_EQ(found(source, "CAF\u00C9"), (std::vector<int>{2}));
    // The Kelvin sign folds to a plain k, as Qt compares without case.
    EXPECT_EQ(found(source, "n k"), (std::vector<int>{3}));
    // A title is never matched across into the next line.
    EXPECT_EQ(found({"ab", "cd"}, "b\nc"), std::vector<int>{});
    EXPECT_EQ(found({"ab", "cd"}, "bc"), std::vector<int>{});
}
