#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "form1hooks.h"
#include "formfixture.h"
#include "runfixture.h"
#include "waitfor.h"

namespace {

// Makes every write past a few bytes come back short, as on a full disk.
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &old_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old_;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit old_{};
    void (*handler_)(int) = nullptr;
};

}  // namespace

using ListFiles = FormFixture;

TEST_F(ListFiles, MissingTopListIsCreatedWithTheThreeDefaultEntries) {
    start();
    EXPECT_EQ(dlg.messages(), QStringList{"New list? Trying to create it."});
    EXPECT_EQ(readFile("Brennomix.ini"),
              QByteArray(
                  "notepad\tnotepad.exe\r\nCalc\tcalc.exe\r\nInternet Explorer\tIExplore.exe\r\n"));
    EXPECT_EQ(titles(), (QStringList{"notepad", "Calc", "Internet Explorer"}));
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
}

TEST_F(ListFiles, LinesLoadWithTheirLookAndSaveWithSixFields) {
    writeList("Brennomix", {"tools", "", "Editor\tgedit\t/usr/bin/\t-s\t0,128,0\tbold",
                            "Odd\tx\t\t\t255,0", "Seven\ta\tb\tc\td\te\tf\tg"});
    start();
    const ListModel& m = control<ListView>(*form, "List1")->ListItems();
    ASSERT_EQ(m.Count(), 4);
    EXPECT_EQ(m.ForeColor(1), listfile::kSublistColor);
    EXPECT_TRUE(m.Bold(1));
    EXPECT_EQ(m.ForeColor(2), listfile::rgb(0, 128, 0));
    EXPECT_TRUE(m.Bold(2));
    EXPECT_EQ(m.SubItem(2, 2), "/usr/bin/");
    EXPECT_EQ(m.ForeColor(3), listfile::kDefaultTextColor);
    EXPECT_EQ(m.SubItem(4, 5), "e");
    ASSERT_TRUE(form->SaveList());
    EXPECT_EQ(readFile("Brennomix.ini"),
              QByteArray("tools\t\t\t\t\t\r\nEditor\tgedit\t/usr/bin/\t-s\t0,128,0\tbold\r\n"
                         "Odd\tx\t\t\t255,0\t\r\nSeven\ta\tb\tc\td\te\r\n"));
}

TEST_F(ListFiles, NamesFromCommandLinesAndSublists) {
    writeList("mtools", {"hammer\thammer.exe"});
    writeList("Brennomix", {"top\ttop.exe"});
    start("\"mtools\"");
    EXPECT_EQ(form->windowTitle(), "Brennomix tools");
    EXPECT_EQ(titles(), QStringList{"hammer"});
    QString name = "mtools.ini";
    form->LoadList(name);
    EXPECT_EQ(name, "mtools");
    QString digits = "/123";
    form->LoadList(digits);
    EXPECT_EQ(titles(), QStringList{"top"});
}

TEST_F(ListFiles, UnsafeNamesAreRefusedAndNothingIsWritten) {
    writeList("Brennomix", {"top\ttop.exe"});
    start();
    for (QString name : {QStringLiteral("m../../escape"), QStringLiteral("a/b"),
                         QStringLiteral("m") + QChar(u'\0') + "x", QStringLiteral("\"\"")}) {
        dlg.shown.clear();
        form->LoadList(name);
        ASSERT_EQ(dlg.messages().size(), 1) << name.toStdString();
        EXPECT_TRUE(dlg.messages()[0].startsWith("Not a valid list name")) << name.toStdString();
        EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
        EXPECT_EQ(titles(), QStringList{"top"});
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Brennomix.ini"});
    EXPECT_FALSE(QFile::exists(dir.path() + "/../escape.ini"));
}

TEST_F(ListFiles, ShortStemsNameTheirOwnFile) {
    writeList("Brennomix", {"x", "top\ttop.exe"});
    writeList("mx", {"inner\tinner.exe"});
    start();
    QString stem = "mx";
    form->LoadList(stem);
    EXPECT_EQ(form->windowTitle(), "Brennomix x");
    EXPECT_EQ(titles(), QStringList{"inner"});
    form->Model().list().setTitle(1, "changed");
    ASSERT_TRUE(form->SaveList());
    EXPECT_EQ(readFile("mx.ini"), QByteArray("changed\tinner.exe\t\t\t\t\r\n"));
    EXPECT_EQ(readFile("Brennomix.ini"), QByteArray("x\r\ntop\ttop.exe\r\n"));
}

TEST_F(ListFiles, ListsAreSavedToTheFileTheyWereReadFrom) {
    writeList("Brennomix", {"top\ttop.exe"});
    writeList("tools", {"t\tt.exe"});
    writeList("mools", {"other\tother.exe"});
    writeList("mLauncher", {"sub\tsub.exe"});
    start("tools");
    EXPECT_EQ(form->windowTitle(), "Brennomix ools");
    ASSERT_TRUE(form->SaveList());
    EXPECT_EQ(readFile("mools.ini"), QByteArray("other\tother.exe\r\n"));
    EXPECT_EQ(readFile("tools.ini"), QByteArray("t\tt.exe\t\t\t\t\r\n"));
    QString launcher = "mLauncher";
    form->LoadList(launcher);
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    ASSERT_TRUE(form->SaveList());
    EXPECT_EQ(readFile("Brennomix.ini"), QByteArray("top\ttop.exe\r\n"));
    EXPECT_EQ(readFile("mLauncher.ini"), QByteArray("sub\tsub.exe\t\t\t\t\r\n"));
}

TEST_F(ListFiles, BadFilesNeverCrashOrLoseTheList) {
    QByteArray garbage("\xFF\xFE\x00\x01\tnul\x00inside\r\n\x80\x81\t\xE9\r\r\n", 24);
    for (int i = 0; i < 2000; ++i) garbage.append(char((i * 131) & 0xFF));
    writeFile("Brennomix.ini", garbage);
    start();
    EXPECT_GT(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    for (int i = 1; i <= control<ListView>(*form, "List1")->ListItems().Count(); ++i)
        for (int k = 1; k <= 5; ++k)
            EXPECT_FALSE(
                control<ListView>(*form, "List1")->ListItems().SubItem(i, k).contains(u'\r'));
    // What was read is written back as it was decoded, nothing dropped.
    const int before = control<ListView>(*form, "List1")->ListItems().Count();
    ASSERT_TRUE(form->SaveList());
    QString again = "Brennomix";
    form->LoadList(again);
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), before);
}

TEST_F(ListFiles, UnreadableListLeavesTheViewEmptyAndTheProgramRunning) {
    QDir(dir.path()).mkdir("mbroken.ini");
    writeList("Brennomix", {"top\ttop.exe"});
    start();
    QString name = "mbroken";
    form->LoadList(name);
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    EXPECT_FALSE(form->Ended());
    // Nothing added to it could ever be saved: it offers no edits.
    EXPECT_FALSE(control<QPushButton>(*form, "Browse")->isEnabled());
    EXPECT_FALSE(control<QAction>(*form, "mnuNew")->isEnabled());
}

TEST_F(ListFiles, MissingProgramFolderGivesAnEmptyList) {
    form = std::make_unique<Form1>(plat, dlg, dir.path() + "/gone", QString());
    form->Form_Load();
    form->show();
    form->Timer1_Timer();
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    EXPECT_FALSE(form->Ended());
}

TEST_F(ListFiles, FailedSaveKeepsTheOldFileAndTheChanges) {
    writeList("Brennomix", {"keep\tkeep.exe"});
    start();
    form->Model().list().setTitle(1, QString(500, u'n'));
    form->SetListDirty(true);
    {
        FullDisk full;
        EXPECT_FALSE(form->SaveList());
    }
    // It names the file and gives the system's reason.
    EXPECT_EQ(dlg.messages(), QStringList{"Could not save file \"" + path("Brennomix.ini") +
                                          "\": " + QString::fromLocal8Bit(std::strerror(EFBIG))});
    EXPECT_EQ(readFile("Brennomix.ini"), QByteArray("keep\tkeep.exe\r\n"));
    EXPECT_TRUE(form->ListDirty());
}

TEST_F(ListFiles, QuickSearchStartReadsTheRawLines) {
    writeList("Brennomix", {"a\ta.exe", "", "!b"});
    start();
    form->StartQuickSearch();
    EXPECT_EQ(form->Search().List4()->toStringList(), (QStringList{"a\ta.exe", "", "!b"}));
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isVisible());
    EXPECT_FALSE(control<QPushButton>(*form, "EditList")->isEnabled());
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), listfile::rgb(255, 255, 208));
    // Search results are never written over the list.
    control<ListView>(*form, "List1")->ListItems().SetText(1, "result row");
    EXPECT_FALSE(form->SaveList());
    EXPECT_EQ(readFile("Brennomix.ini"), QByteArray("a\ta.exe\r\n\r\n!b\r\n"));
}

using Navigation = FormFixture;

TEST_F(Navigation, BackSwapsWithTheParentAndTopLeavesItAlone) {
    writeList("Brennomix", {"A"});
    writeList("mA", {"B"});
    writeList("mB", {"leaf\tleaf.exe"});
    start();
    form->mBack_Click();  // right after start: top list, and parent becomes the top list
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    EXPECT_EQ(form->Model().parentList(), "Brennomix");
    QString a = "mA", b = "mB";
    form->LoadList(a);
    form->Model().setParentList("Brennomix");
    form->LoadList(b);
    form->Model().setParentList("mA");
    form->Parent_Click();
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    EXPECT_EQ(form->Model().parentList(), "mA");
    form->mBack_Click();
    EXPECT_EQ(form->windowTitle(), "Brennomix A");
    EXPECT_EQ(form->Model().parentList(), "Brennomix");
}

TEST_F(Navigation, SaveQuestionAnswers) {
    writeList("Brennomix", {"top\ttop.exe"});
    writeList("mA", {"a\ta.exe"});
    start();
    auto change = [&] {
        QString a = "mA";
        form->LoadList(a);
        form->Model().list().setTitle(1, "edited");
        form->SetListDirty(true);
    };
    change();
    dlg.answers = {false};
    form->Parent_Click();
    EXPECT_EQ(dlg.shown.last(), "question||List not saved. Save now?");
    EXPECT_EQ(readFile("mA.ini"), QByteArray("a\ta.exe\r\n"));
    EXPECT_FALSE(form->ListDirty());

    change();
    dlg.answers = {true};
    form->Parent_Click();
    EXPECT_EQ(readFile("mA.ini"), QByteArray("edited\ta.exe\t\t\t\t\r\n"));
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");

    // A save that fails keeps the changed list on screen, still changed.
    change();
    dlg.answers = {true};
    {
        FullDisk full;
        form->Model().list().setTitle(1, QString(400, u'z'));
        form->Parent_Click();
    }
    EXPECT_EQ(form->windowTitle(), "Brennomix A");
    EXPECT_EQ(form->Model().list().entry(1).title, QString(400, u'z'));
    EXPECT_TRUE(form->ListDirty());
    ASSERT_EQ(dlg.messages().size(), 1);
    EXPECT_TRUE(dlg.messages()[0].startsWith("Could not save file \"" + path("mA.ini") + "\": "));
}

TEST_F(Navigation, ColumnViewTogglesAndSurvivesALoad) {
    start();
    ListView* v = control<ListView>(*form, "List1");
    form->ToggleColumns();
    EXPECT_FALSE(v->HideColumnHeaders());
    EXPECT_EQ(v->ListItems().ColumnText(5), "RGB colors");
    for (int c = 2; c <= 6; ++c) EXPECT_EQ(v->ColumnWidth(c), 1500);
    QString top = "Brennomix";
    form->LoadList(top);
    EXPECT_FALSE(v->HideColumnHeaders());
    form->ToggleColumns();
    EXPECT_TRUE(v->HideColumnHeaders());
    EXPECT_EQ(v->ColumnWidth(2), 0);
    EXPECT_EQ(v->ColumnWidth(1), 3900);
    EXPECT_EQ(v->ListItems().ColumnText(2), "Filename");
}

TEST_F(Navigation, CheckEntriesMarksMissingTargets) {
    QDir(dir.path()).mkdir("bin");
    writeFile("bin/tool", "#!/bin/sh\n");
    const QString bin = dir.path() + "/bin/";
    writeList("Brennomix", {"ok\t" + bin + "tool", "joined\ttool\t" + dir.path() + "/bin",
                            "pathed\ttool\t" + bin, "sub", "bare\tnotepad.exe"});
    start();
    form->CheckEntries();
    EXPECT_EQ(titles(), (QStringList{"ok", " ! joined", "pathed", "sub", " ! bare"}));
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 5);
    EXPECT_EQ(control<QLabel>(*form, "mDate")->text(),
              "IF ENTRY STARTS WITH ' ! ' THIS MEANS IT IS NOT VALID.");
    EXPECT_FALSE(form->ListDirty());
    form->CheckEntries();
    EXPECT_EQ(titles()[1], " !  ! joined");
    form->Search().setScanBusy(true);
    form->CheckEntries();
    EXPECT_EQ(titles()[1], " !  ! joined");
}

using Settings = FormFixture;

TEST_F(Settings, StartupReadsTheSettingsFile) {
    writeFile("Brennomix.cfg",
              "/srv/a,b\r\nHotkey=k\r\nWindow2mouse=0\r\nHover select=1\r\nHide when "
              "recalled=1\r\nUse page up/down as arrows=1\r\nSideBar=0\r\nAuto Show/Hide=1\r\n"
              "QuickSearch=1\r\nEditor=/usr/bin/gedit\r\n");
    start();
    const Config& c = form->Cfg();
    EXPECT_EQ(c.fsSearchPaths, "/srv/a,b");
    EXPECT_EQ(c.hotkeyCode, 75);
    EXPECT_TRUE(c.hoverSelectSaved);
    EXPECT_TRUE(c.hideWhenRecalled && c.pageKeysAsArrows && c.quickSearch && c.autoShowHide);
    EXPECT_TRUE(form->Model().modes().autoShowHide);
    EXPECT_TRUE(control<QTimer>(*form, "Timer2")->isActive());
    EXPECT_EQ(c.editor, "/usr/bin/gedit");
}

TEST_F(Settings, TogglingASettingKeepsTheSidebarPosition) {
    writeFile("Brennomix.cfg",
              "x\r\nHotkey=\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=0\r\n"
              "Use page up/down as arrows=0\r\nSideBar=3\r\nAuto Show/Hide=0\r\n");
    start();
    form->mnuAutoHide_Click();
    EXPECT_TRUE(readFile("Brennomix.cfg").contains("\r\nSideBar=3\r\nAuto Show/Hide=1\r\n"));
}

TEST_F(Settings, NoFileKeepsDefaultsAndCreatesNothing) {
    start();
    EXPECT_EQ(form->Cfg().editor, QString());
    EXPECT_EQ(form->Cfg().hotkeyCode, 0);
    EXPECT_FALSE(QFile::exists(path("Brennomix.cfg")));
}

TEST_F(Settings, WriteReportsAFailureAndKeepsTheOldFile) {
    start();
    form->Cfg().quickSearch = true;
    form->Write_Cfg();
    EXPECT_TRUE(readFile("Brennomix.cfg").contains("QuickSearch=1\r\nEditor=\r\n"));
    const QByteArray before = readFile("Brennomix.cfg");
    form->Cfg().fsSearchPaths = QString(200, u'p');
    {
        FullDisk full;
        form->Write_Cfg();
    }
    EXPECT_EQ(readFile("Brennomix.cfg"), before);
    ASSERT_EQ(dlg.messages().size(), 2);  // the new-list message, then the failure
    EXPECT_TRUE(dlg.messages()[1].startsWith("Could not save the settings file"));
}

// Which list the view shows decides which file a save may write: only a list
// read from its file, and only that list's own file.
class ShownList : public RunFixture {
protected:
    // Opens the context menu and closes it again, then waits out the key pause.
    void menuAndBack() {
        closeMenuWhenShown();
        key(Qt::Key_F10);
        ASSERT_TRUE(waitFor([this] { return form->Readiness() == 1; }));
    }
};

TEST_F(ShownList, AnEmptySearchViewIsNeverSavedOverTheTopList) {
    startOn({"alpha\ta", "beta\tb"});
    const QByteArray before = readFile("Brennomix.ini");
    form->Cfg().quickSearch = false;
    // Ctrl+Q with the quick search off: a search no line matches, no rows.
    key(Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    control<ListView>(*form, "List1")->setFocus();
    // The menu's commands for an empty list must not make it a list.
    menuAndBack();
    EXPECT_FALSE(control<QAction>(*form, "mnuNew")->isEnabled() ||
                 control<QPushButton>(*form, "Browse")->isEnabled());
    key(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(form->mSave_Click());
    form->SetListDirty(true);
    dlg.answers = {true};
    form->Parent_Click();
    EXPECT_EQ(readFile("Brennomix.ini"), before);
    EXPECT_EQ(titles(), (QStringList{"alpha", "beta"}));
}

TEST_F(ShownList, ARefusedNameLeavesNoListToSave) {
    writeList("Brennomix", {"alpha\ta"});
    const QByteArray before = readFile("Brennomix.ini");
    start("a/b");
    control<ListView>(*form, "List1")->setFocus();
    ASSERT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    key(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(form->SaveList());
    EXPECT_EQ(readFile("Brennomix.ini"), before);

    // A list loaded afterwards is saved again, to its own file.
    QString tools = "mTools";
    form->LoadList(tools);
    form->Model().list().setTitle(1, "renamed");
    EXPECT_TRUE(form->SaveList());
    EXPECT_TRUE(readFile("mTools.ini").startsWith("renamed\t"));
    EXPECT_EQ(readFile("Brennomix.ini"), before);
}

TEST_F(ShownList, ASublistIsNotOpenedWhenTheAskedSaveFails) {
    writeList("mTools", {"hammer\thammer"});
    startOn({"Tools", "top\ttop"});
    form->Model().list().setTitle(2, "changed");
    form->SetListDirty(true);
    control<ListView>(*form, "List1")->SetSelected(1, true);
    dlg.answers = {true};
    {
        FullDisk full;
        form->FollowRun(form->RunEntry());
    }
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    EXPECT_EQ(form->Model().list().entry(2).title, "changed");
    EXPECT_TRUE(form->ListDirty());
}

TEST_F(ShownList, SpecialFilesAreUnreadableListsAndSettings) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("mPipe.ini")).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("Brennomix.cfg")).constData(), 0600), 0);
    // Neither read blocks the window.
    startOn({"alpha\ta"});
    QString pipe = "mPipe";
    form->LoadList(pipe);
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    EXPECT_FALSE(form->SaveList());
    EXPECT_TRUE(QFileInfo(path("mPipe.ini")).isSymLink() || !QFileInfo(path("mPipe.ini")).isFile());
}

// A list that cannot be read says so, with its file and the reason, and so
// do the commands that then cannot act on it.
TEST_F(ShownList, AnUnreadableListSaysWhichFileAndWhy) {
    ASSERT_TRUE(QDir().mkpath(path("mBox.ini")));
    startOn({"alpha\ta"});
    dlg.shown.clear();
    QString box = "mBox";
    form->LoadList(box);
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    const QString file = "\"" + path("mBox.ini") + "\"";
    const QString why = QString::fromLocal8Bit(std::strerror(EISDIR));
    // First the offer to create it, which a folder in the way refuses.
    const QStringList read = dlg.messages();
    ASSERT_FALSE(read.isEmpty());
    EXPECT_TRUE(read.last().startsWith("Could not read the list file " + file + ": " + why));

    EXPECT_FALSE(form->SaveList());
    form->mnuBrowse_Click();
    const QStringList after = dlg.messages().mid(read.size());
    ASSERT_EQ(after.size(), 2);
    EXPECT_TRUE(after[0].startsWith("Could not save file " + file));
    EXPECT_TRUE(after[0].contains(why));
    EXPECT_TRUE(after[1].contains(file));
    EXPECT_TRUE(QFileInfo(path("mBox.ini")).isDir());
}

// After Find, the rows are results: the save key writes nothing, and a
// sublist found there leads back to the list searched in, not to a list
// named after the caption.
TEST_F(ShownList, FindResultsAreNeverSavedAndTheCaptionNamesNoList) {
    writeList("mTools", {"hammer\thammer"});
    startOn({"alpha\ta", "Tools"});
    const QByteArray before = readFile("Brennomix.ini");
    form->mSearch("all-lists");
    ListModel& rows = control<ListView>(*form, "List1")->ListItems();
    rows.SetResultSource(QStringList{"Tools\t\t\t\t\t", "x\tx"},
                         [](const QString& line) { return line.section(u'\t', 0, 0); });
    rows.AddResults({0, 1}, {});
    form->setWindowTitle("Brennomix (2 items found.)");
    control<ListView>(*form, "List1")->setFocus();
    key(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(form->SaveList());
    EXPECT_EQ(readFile("Brennomix.ini"), before);

    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->FollowRun(form->RunEntry());
    ASSERT_EQ(form->windowTitle(), "Brennomix Tools");
    form->mBack_Click();
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    EXPECT_EQ(QDir(dir.path()).entryList({"m(*"}), QStringList());
    EXPECT_EQ(readFile("Brennomix.ini"), before);
}
