#include <gtest/gtest.h>

#include <random>

#include "search/quicksearch.h"

using namespace quicksearch;

namespace {
// Every rule holds alike for titles kept folded (the index) and for titles
// folded as the search reads them (a list).
std::vector<int> found(const QStringList& source, const QString& text) {
    const std::vector<int> folded = filter(SearchLines::fromLines(source), foldSearchText(text));
    EXPECT_EQ(
        filter(SearchLines::fromLines(source, SearchLines::Titles::Raw), foldSearchText(text)),
        folded)
        << text.toStdString();
    return folded;
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

// A list's titles are searched as the bytes stand in its file: mixed case,
// letters beyond ASCII, bytes that are not UTF-8, NUL bytes. Each search,
// fresh or extending the last, finds what it finds over folded titles.
TEST(QuickSearchRules, TitlesAsInTheFileFindWhatFoldedTitlesFind) {
    const char* pieces[] = {"a",        "B",    "k",  "K",        "\xE2\x84\xAA",
                            "\xC3\x9F", "ss",   "S",  "\xC3\x84", "\xC3\xA4",
                            "\xC3",     "\xE9", "\t", "",         " "};
    std::mt19937 random(11);
    QByteArray file;
    for (int i = 0; i < 4000; ++i) {
        const int n = int(random() % 8);
        for (int k = 0; k < n; ++k) file += pieces[random() % std::size(pieces)];
        if (random() % 50 == 0) file += '\0';
        file += "\r\n";
    }
    SearchLines folded, raw(SearchLines::Titles::Raw);
    folded.assignFile(file);
    raw.assignFile(file);
    ASSERT_EQ(raw.size(), folded.size());
    Filter byFolded, byRaw;
    for (const QString text : {"", "k", "ks", "kss", "s", "ss", "\u00E4", "\u00E4a", "\u00DF",
                               "\u00E9", "a\u00E9", "\u212A", " ", "b k"}) {
        EXPECT_EQ(byRaw.update(raw, text), byFolded.update(folded, text)) << text.toStdString();
        EXPECT_EQ(byRaw.refined(), byFolded.refined());
    }
}
