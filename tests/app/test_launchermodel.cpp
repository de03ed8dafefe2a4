// The launcher's state tested without a window: which views may write a
// list, the one rule that writes a list file, the rename order, the way
// back from a sublist, and the relayed words.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/launchermodel.h"

namespace {

class Model : public ::testing::Test {
protected:
    QTemporaryDir dir;
    LauncherModel model{dir.path()};

    QString path(const QString& name) const { return dir.path() + u'/' + name; }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    // Makes every save of the top list fail: a folder stands where its
    // new file would be renamed to, and is taken as seen, so the write is
    // tried.
    void blockTopList() {
        QFile::remove(path("Brennomix.ini"));
        QDir(dir.path()).mkdir("Brennomix.ini");
        model.list().acceptDiskState();
    }
    QStringList titles() const {
        QStringList out;
        for (const ListEntry& e : model.list().entries()) out << e.title;
        return out;
    }
    // An answer to the question about a file changed by another program,
    // with a record of the files asked about.
    QStringList asked;
    LauncherModel::KeepMine answer(bool keepMine) {
        return [this, keepMine](const QString& file) {
            asked << file;
            return keepMine;
        };
    }
};

// Every way of reaching each kind of view, and what a save does there.
TEST_F(Model, OnlyAListReadFromItsFileIsEditedOrSaved) {
    const QByteArray top = "Tools\r\nalpha\ta.exe\r\n";
    write("Brennomix.ini", top);
    QDir(dir.path()).mkdir("mbroken.ini");
    const std::vector<Command> changing = {
        Command::Save,        Command::Drop,     Command::Paste,        Command::NewSublist,
        Command::Rename,      Command::SetColor, Command::Bold,         Command::EditArguments,
        Command::Delete,      Command::MoveUp,   Command::MoveDown,     Command::BrowseForEntry,
        Command::AddFromFile, Command::EditMode, Command::EditListFile, Command::AskSave};
    const std::vector<Command> harmless = {Command::Run,     Command::Copy,        Command::Back,
                                           Command::Top,     Command::QuickSearch, Command::Quit,
                                           Command::StayOpen};
    struct Case {
        const char* name;
        std::function<void(LauncherModel&)> reach;
        ViewKind kind;
    };
    const std::vector<Case> cases = {
        {"list", [](LauncherModel& m) { m.showList("Brennomix"); }, ViewKind::List},
        {"quick search",
         [](LauncherModel& m) {
             m.showList("Brennomix");
             m.showResults(ViewKind::QuickSearch);
         },
         ViewKind::QuickSearch},
        {"all lists",
         [](LauncherModel& m) {
             m.showList("Brennomix");
             m.showResults(ViewKind::AllLists);
         },
         ViewKind::AllLists},
        {"file system",
         [](LauncherModel& m) {
             m.showList("Brennomix");
             m.showResults(ViewKind::FileSystem);
         },
         ViewKind::FileSystem},
        {"refused name",
         [](LauncherModel& m) {
             m.showList("Brennomix");
             m.showList("a/b");
         },
         ViewKind::Nothing},
        {"unreadable",
         [](LauncherModel& m) {
             m.showList("Brennomix");
             m.showList("mbroken");
         },
         ViewKind::Nothing},
    };
    for (const Case& c : cases) {
        LauncherModel m(dir.path());
        c.reach(m);
        EXPECT_EQ(m.view().kind, c.kind) << c.name;
        const bool list = c.kind == ViewKind::List;
        for (Command cmd : changing) EXPECT_EQ(m.allows(cmd), list) << c.name << int(cmd);
        for (Command cmd : harmless) EXPECT_TRUE(m.allows(cmd)) << c.name << int(cmd);
        m.setDirty(true);
        EXPECT_EQ(m.save(answer(true)),
                  list ? LauncherModel::Save::Written : LauncherModel::Save::Refused)
            << c.name;
        EXPECT_EQ(read("Brennomix.ini"),
                  list ? QByteArray("Tools\t\t\t\t\t\r\nalpha\ta.exe\t\t\t\t\r\n") : top)
            << c.name;
        write("Brennomix.ini", top);
    }
}

TEST_F(Model, TheSaveWritesTheEntriesAsLinesAndClearsTheChangeMark) {
    write("mx.ini", "inner\tinner.exe\r\n\r\nblue\t\t\t\t0,0,255\tBold\r\n");
    ASSERT_TRUE(model.showList("mx"));
    ListDocument& list = model.list();
    ASSERT_EQ(list.count(), 2);  // the empty line is no entry
    EXPECT_TRUE(list.entry(2).bold);
    EXPECT_EQ(list.entry(2).color, listfile::rgb(0, 0, 255));
    list.setTitle(1, "changed");
    list.setField(1, 3, "--now");
    list.swap(1, 2);
    list.add(ListEntry{"new", {"/bin/new", "", "", "", ""}});
    EXPECT_TRUE(model.dirty());
    ASSERT_EQ(model.save(answer(true)), LauncherModel::Save::Written);
    EXPECT_FALSE(model.dirty());
    EXPECT_EQ(read("mx.ini"),
              "blue\t\t\t\t0,0,255\tBold\r\nchanged\tinner.exe\t\t--now\t\t\r\n"
              "new\t/bin/new\t\t\t\t\r\n");

    // A failed save keeps the file as it was and the changes marked.
    list.remove(1);
    QFile::remove(path("mx.ini"));
    QDir(dir.path()).mkdir("mx.ini");
    list.acceptDiskState();
    EXPECT_EQ(model.save(answer(true)), LauncherModel::Save::Failed);
    EXPECT_TRUE(model.dirty());
    EXPECT_TRUE(asked.isEmpty());
}

// Lists are edited in other editors, synced and kept in version control:
// a save never writes over such a change unasked.
TEST_F(Model, AListChangedOutsideIsShownAgainWithoutChangesHere) {
    write("mx.ini", "a\ta.exe\r\n");
    ASSERT_TRUE(model.showList("mx"));
    // Its own saves, and the same bytes written again (a checkout), are no change.
    model.list().add(ListEntry{"b", {"b.exe", "", "", "", ""}});
    ASSERT_EQ(model.save(answer(false)), LauncherModel::Save::Written);
    write("mx.ini", read("mx.ini"));
    EXPECT_EQ(model.save(answer(false)), LauncherModel::Save::Written);
    // Other content, of the same size or not.
    const std::pair<QByteArray, QStringList> outside[] = {
        {"x\tx.exe\t\t\t\t\r\ny\ty.exe\t\t\t\t\r\n", {"x", "y"}}, {"theirs\r\n", {"theirs"}}};
    for (const auto& [theirs, shown] : outside) {
        write("mx.ini", theirs);
        EXPECT_EQ(model.save(answer(true)), LauncherModel::Save::Reloaded);
        EXPECT_EQ(read("mx.ini"), theirs);
        EXPECT_EQ(titles(), shown);
    }
    EXPECT_TRUE(asked.isEmpty());
    // A list file removed outside is not put back.
    QFile::remove(path("mx.ini"));
    EXPECT_EQ(model.save(answer(true)), LauncherModel::Save::Reloaded);
    EXPECT_FALSE(QFile::exists(path("mx.ini")));
}

TEST_F(Model, AListChangedOutsideWithChangesHereKeepsTheSideChosen) {
    const QByteArray theirs = "theirs\r\n";
    for (const bool keepMine : {true, false}) {
        write("mx.ini", "a\r\n");
        LauncherModel m(dir.path());
        ASSERT_TRUE(m.showList("mx"));
        m.list().add(ListEntry{"mine", {"m.exe", "", "", "", ""}});
        write("mx.ini", theirs);
        // Nobody to ask: nothing written, nothing dropped.
        EXPECT_EQ(m.save({}), LauncherModel::Save::Failed);
        EXPECT_TRUE(m.dirty());
        asked.clear();
        EXPECT_EQ(m.save(answer(keepMine)),
                  keepMine ? LauncherModel::Save::Written : LauncherModel::Save::Reloaded);
        EXPECT_EQ(asked, QStringList{path("mx.ini")});
        EXPECT_EQ(read("mx.ini"), keepMine ? "a\t\t\t\t\t\r\nmine\tm.exe\t\t\t\t\r\n" : theirs);
        EXPECT_EQ(m.list().entries().back().title, keepMine ? "mine" : "theirs");
        // The file and the list agree again: no second question.
        EXPECT_EQ(m.save(answer(true)), LauncherModel::Save::Written);
        EXPECT_EQ(asked.size(), 1);
    }
    // A rename is a change about to be saved, even in a list marked unchanged.
    ASSERT_TRUE(model.showList("mx"));
    write("mx.ini", theirs);
    EXPECT_EQ(model.settleOutsideChange(true, answer(false)), LauncherModel::Outside::Reloaded);
    EXPECT_EQ(asked.size(), 2);
}

// Shown again, the window shows what the file holds now, unless there are
// changes here that a later save asks about.
TEST_F(Model, ARecallReadsAgainOnlyAListWithoutChangesHere) {
    write("mx.ini", "a\ta.exe\r\n");
    ASSERT_TRUE(model.showList("mx"));
    write("mx.ini", "b\tb.exe\r\nc\r\n");
    EXPECT_TRUE(model.refreshOnRecall());
    EXPECT_EQ(titles(), (QStringList{"b", "c"}));
    model.list().setTitle(1, "mine");
    ASSERT_EQ(model.save(answer(true)), LauncherModel::Save::Written);
    EXPECT_FALSE(model.refreshOnRecall());
    model.list().setTitle(1, "mine again");
    write("mx.ini", "d\r\n");
    EXPECT_FALSE(model.refreshOnRecall());
    EXPECT_EQ(titles(), (QStringList{"mine again", "c"}));
    EXPECT_EQ(read("mx.ini"), "d\r\n");
}

TEST_F(Model, ARenamedSublistsFileFollowsOnlyAfterTheListIsSaved) {
    write("Brennomix.ini", "Tools\r\nOther\r\n");
    write("mTools.ini", "hammer\thammer\r\n");
    write("mOther.ini", "saw\tsaw\r\n");
    ASSERT_TRUE(model.showList("Brennomix"));
    ListDocument& list = model.list();

    // The save fails: the title and both files stay as they were.
    blockTopList();
    EXPECT_EQ(list.rename(1, "Kit"), ListDocument::Rename::SaveFailed);
    EXPECT_EQ(list.entry(1).title, "Tools");
    EXPECT_FALSE(list.dirty());
    EXPECT_EQ(read("mTools.ini"), "hammer\thammer\r\n");
    EXPECT_FALSE(QFile::exists(path("mKit.ini")));

    QDir(dir.path()).rmdir("Brennomix.ini");
    // Another list has the name: nothing changes, nothing is written.
    EXPECT_EQ(list.rename(1, "Other"), ListDocument::Rename::NameTaken);
    EXPECT_EQ(read("Brennomix.ini"), "<none>");

    EXPECT_EQ(list.rename(1, "Kit"), ListDocument::Rename::Done);
    EXPECT_EQ(read("Brennomix.ini"), "Kit\t\t\t\t\t\r\nOther\t\t\t\t\t\r\n");
    EXPECT_EQ(read("mKit.ini"), "hammer\thammer\r\n");
    EXPECT_FALSE(QFile::exists(path("mTools.ini")));
    // An entry that is no sublist only changes its title.
    list.add(ListEntry{"pad", {"pad.exe", "", "", "", ""}});
    EXPECT_EQ(list.rename(3, "Other"), ListDocument::Rename::Done);
    EXPECT_EQ(read("mOther.ini"), "saw\tsaw\r\n");
}

// A sublist found by a search leads back to the list searched in, never
// to a name made from the caption.
TEST_F(Model, TheWayBackLeadsToTheListSearchedIn) {
    write("Brennomix.ini", "Tools\r\n");
    write("mTools.ini", "hammer\thammer\r\n");
    ASSERT_TRUE(model.showList("Brennomix"));
    model.showResults(ViewKind::FileSystem);
    EXPECT_EQ(model.openSublist("Tools"), "mTools");
    EXPECT_EQ(model.parentList(), "Brennomix");
    ASSERT_TRUE(model.showList("mTools"));
    EXPECT_EQ(model.back(), "Brennomix");
    EXPECT_EQ(model.parentList(), "mTools");
    // A refused name leaves the way back where it was.
    model.showList("../x");
    EXPECT_EQ(model.back(), "mTools");
    EXPECT_EQ(model.parentList(), "mTools");
}

TEST_F(Model, WordsActOnceEachInOrderAfterStartUpRepeatsIncluded) {
    QStringList acted;
    bool ended = false;
    const auto endedNow = [&] { return ended; };
    std::function<void(const QString&)> act = [&](const QString& w) {
        acted << w;
        // Words arriving while one is acted on (a dialog runs the event
        // loop) wait for it.
        if (w == "first") model.deliverWords({"nested", "nested"}, true, act, endedNow);
        if (w == "quit") ended = true;
    };
    model.deliverWords({"aa", "/1"}, false, act, endedNow);
    EXPECT_TRUE(acted.isEmpty());
    model.deliverWords({"/1"}, true, act, endedNow);
    EXPECT_EQ(acted, (QStringList{"aa", "/1", "/1"}));
    acted.clear();
    model.deliverWords({"first", "last"}, true, act, endedNow);
    EXPECT_EQ(acted, (QStringList{"first", "last", "nested", "nested"}));
    acted.clear();
    model.deliverWords({"quit", "mtools"}, true, act, endedNow);
    EXPECT_EQ(acted, QStringList{"quit"});
    EXPECT_TRUE(model.pendingWords().isEmpty());
}

TEST(Commands, WordsNameTheirCommands) {
    EXPECT_EQ(command::fromWord("quit"), Command::Quit);
    EXPECT_EQ(command::fromWord("QUIT"), std::nullopt);
    EXPECT_EQ(command::fromWord("/Search"), Command::FileSystemSearch);
    EXPECT_EQ(command::fromWord("/RESCAN"), Command::RefreshIndex);
    EXPECT_EQ(command::fromWord("/showdesktop"), Command::ShowDesktop);
    EXPECT_EQ(command::fromWord("mtools"), std::nullopt);
    EXPECT_EQ(command::runPrefixRest("/R /xterm -e top"), "xterm -e top");
    EXPECT_EQ(command::runPrefixRest("/hide"), std::nullopt);
}

}  // namespace
