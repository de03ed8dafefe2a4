#include <QDir>
#include <QFile>

#include "app/commandword.h"
#include "formfixture.h"
#include "lists/listfile.h"
#include "waitfor.h"

// The running copy's side of the link: words arrive as changes of Text1.
class CommandWords : public FormFixture {
protected:
    // A first copy over a top list of three program entries.
    void SetUp() override {
        writeList("Brennomix", {"one\t1.exe", "two\t2.exe", "three\t3.exe"});
        writeList("mtools", {"tool\ttool.exe"});
    }
    // What a second copy started with `commandLine` hands over.
    void relay(const QString& commandLine) {
        form->DeliverWords(commandword::relayWords(commandLine));
    }
    int activations() const { return int(plat.callsStartingWith("activateWindow").size()); }
    // The files the entries that ran name, in order.
    QStringList ran() const {
        QStringList files;
        for (const QString& c : plat.callsStartingWith("shellExecute|"))
            files << c.section(u'|', 1, 1);
        return files;
    }
};

// The launcher is resident from start-up: a close request hides the window.
TEST_F(CommandWords, DummyWordDoesNothing) {
    start();
    form->CloseRequest();
    form->DeliverWords({"aa"});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(activations(), 0);
}

TEST_F(CommandWords, QuitLeavesTheTrayAndEndsInExactCaseOnly) {
    start();
    form->CloseRequest();
    relay("QUIT");  // not "/quit": only a recall
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Ended());
    // It ends even with stay-open on, but never while the index is built.
    form->ToggleStayOpen();
    form->Search().setScanBusy(true);
    relay("quit");
    EXPECT_FALSE(form->Ended());
    EXPECT_FALSE(form->Model().modes().resident);
    form->Search().setScanBusy(false);
    relay("/QuIt");
    EXPECT_TRUE(form->Ended());
    EXPECT_TRUE(plat.calls.contains("trayRemove"));
}

TEST_F(CommandWords, ShowDesktopLeavesTheLauncherAlone) {
    start();
    form->CloseRequest();
    relay("/ShowDesktop");
    EXPECT_EQ(activations(), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Ended());
}

TEST_F(CommandWords, SearchShowsTheWindowAndRescanHidesItAgain) {
    start();
    form->CloseRequest();
    relay("/SEARCH");
    EXPECT_TRUE(form->isVisible());
    // The file-system search is open, over an index built for lack of one.
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isVisible());
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), listfile::rgb(192, 255, 192));
    ASSERT_TRUE(waitFor([&] { return !form->Search().scanBusy(); }));
    writeFile("FsSearch.txt", "stale\r\n");
    const int shown = activations();
    EXPECT_GT(shown, 0);
    relay("/rescan");
    EXPECT_GT(activations(), shown);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Ended());
    // The index is built anew: the stale file is replaced by the lists.
    ASSERT_TRUE(waitFor([&] { return !form->Search().scanBusy(); }));
    EXPECT_EQ(readFile("FsSearch.txt"), QByteArray("one\t1.exe\r\ntwo\t2.exe\r\nthree\t3.exe\r\n"));
}

TEST_F(CommandWords, ARecallShowsTheWindowOrHidesItWhenSoConfigured) {
    start();
    form->CloseRequest();
    relay("");
    EXPECT_TRUE(form->isVisible());
    // The same word twice acts twice: the dummy word sits between.
    form->CloseRequest();
    relay("");
    EXPECT_TRUE(form->isVisible());
    // Without the dummy word a repeated word acts all the same.
    form->CloseRequest();
    form->DeliverWords({"/install"});
    EXPECT_TRUE(form->isVisible());
    form->CloseRequest();
    form->DeliverWords({"/install"});
    EXPECT_TRUE(form->isVisible());
    form->CloseRequest();

    form->Cfg().hideWhenRecalled = true;
    relay("");
    EXPECT_TRUE(form->isVisible());
    relay("");
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Ended());
}

TEST_F(CommandWords, RunWordStartsTheRestMinimizedAfterHandlingIt) {
    start();
    form->CloseRequest();
    relay("/R /sh -c 'echo x'");
    EXPECT_EQ(plat.callsStartingWith("startCommandLine"),
              QStringList{"startCommandLine|sh -c 'echo x'|2"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Ended());
}

TEST_F(CommandWords, HideAndLockWords) {
    start();
    relay("/HIDE");
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Ended());
    // Out of the tray there is nothing to hide into.
    form->mnuTray_Click();
    relay("/hide");
    EXPECT_TRUE(form->isVisible());

    EXPECT_TRUE(plat.callsStartingWith("beep").isEmpty());
    relay("/Lock");
    EXPECT_EQ(plat.callsStartingWith("beep").size(), 1);
}

TEST_F(CommandWords, AListWordOpensOnlyAListThatExists) {
    start();
    relay("mtools");
    EXPECT_EQ(form->windowTitle(), "Brennomix tools");
    EXPECT_EQ(titles(), QStringList{"tool"});

    relay("mnothing");
    EXPECT_EQ(form->windowTitle(), "Brennomix tools");
    EXPECT_FALSE(QFile::exists(path("mnothing.ini")));
    // A word with "/" never names a list, even where such a file exists.
    QDir(dir.path()).mkdir("sub");
    writeList("sub/mx", {"x\tx.exe"});
    relay("sub/mx");
    EXPECT_EQ(form->windowTitle(), "Brennomix tools");
    EXPECT_TRUE(dlg.messages().isEmpty());
    EXPECT_FALSE(form->Ended());
}

// Running a program closes the window; opening a sublist keeps it: the next
// digit runs on the sublist, and digits after the window closed are skipped.
TEST_F(CommandWords, DigitSequencesRunEntriesWhileTheWindowIsShown) {
    writeList("Brennomix", {"sub", "two\t2.exe", "three\t3.exe"});
    writeList("msub", {"s1\ts1.exe", "s2\ts2.exe", "s3\ts3.exe"});
    start();
    relay("/123");
    EXPECT_EQ(ran(), QStringList{"s2.exe"});
    EXPECT_FALSE(form->isVisible());
}

TEST_F(CommandWords, WithStayOpenEveryDigitRuns) {
    QStringList ten;
    for (int i = 1; i <= 10; ++i) ten << QStringLiteral("e%1\te%1.exe").arg(i);
    writeList("mten", ten);
    start();
    form->ToggleStayOpen();
    relay("/32");
    EXPECT_EQ(ran(), (QStringList{"3.exe", "2.exe"}));
    relay("mten");
    relay("/10");
    EXPECT_EQ(ran().mid(2), (QStringList{"e1.exe", "e10.exe"}));
    // The first character is not examined; a word that is not all number
    // after it runs nothing.
    relay("x3");
    relay("/4a");
    relay("/");
    EXPECT_EQ(ran().mid(4), QStringList{"e3.exe"});
    EXPECT_FALSE(form->Ended());
}

// A sequence that meets a character that is not a digit, or an entry the
// list does not have, stops there; the dispatcher then makes its close
// request, start-up just goes on. (Stay-open keeps the runs themselves from
// closing the window.)
TEST_F(CommandWords, ABadDigitStopsTheSequenceWithACloseRequest) {
    start();
    form->ToggleStayOpen();
    relay("/25");
    EXPECT_EQ(ran(), QStringList{"2.exe"});
    EXPECT_FALSE(form->isVisible());
}

TEST_F(CommandWords, ASignOrPointStopsTheSequenceWithACloseRequest) {
    start();
    form->ToggleStayOpen();
    relay("/1.5");
    EXPECT_EQ(ran(), QStringList{"1.exe"});
    EXPECT_FALSE(form->isVisible());
}

TEST_F(CommandWords, ADigitOnAnEmptyListEndsWithACloseRequest) {
    writeList("mempty", {});
    start();
    relay("mempty");
    EXPECT_TRUE(form->isVisible());
    relay("/1");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(CommandWords, StartUpGoesOnAfterABadDigitSequence) {
    start("/19", false);
    form->ToggleStayOpen();
    form->Timer1_Timer();
    EXPECT_EQ(ran(), QStringList{"1.exe"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Ended());
}

// The same word twice runs twice: no word is taken for a repeat of the last.
TEST_F(CommandWords, RepeatedWordsActEachTime) {
    start();
    form->ToggleStayOpen();
    form->DeliverWords({"/2", "/2"});
    relay("/2");
    EXPECT_EQ(ran(), (QStringList{"2.exe", "2.exe", "2.exe"}));
}

// Words relayed while the first copy is still starting act on the list
// start-up loads instead of being undone by it.
TEST_F(CommandWords, WordsDuringStartUpWaitForTheFirstTick) {
    start("", false);
    form->ToggleStayOpen();
    relay("mtools");
    relay("/1");
    EXPECT_EQ(activations(), 0);
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    form->Timer1_Timer();
    EXPECT_EQ(form->windowTitle(), "Brennomix tools");
    EXPECT_EQ(ran(), QStringList{"tool.exe"});
    EXPECT_FALSE(form->Ended());
}

TEST_F(CommandWords, WordsAfterTheEndAreDropped) {
    start();
    form->DeliverWords({"aa", "quit", "aa", "mtools"});
    EXPECT_TRUE(form->Ended());
    EXPECT_NE(form->windowTitle(), "Brennomix tools");
}
