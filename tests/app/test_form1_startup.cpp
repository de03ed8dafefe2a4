#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "form1hooks.h"
#include "formfixture.h"
#include "waitfor.h"

using Startup = FormFixture;

TEST_F(Startup, WindowControlsAreNamedAndPlacedInTwips) {
    start(QString(), false);
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    for (const char* name : {"List1", "Label2", "Label3", "mDate", "Text2", "myRun", "mBack",
                             "Parent", "EditList", "Browse", "Find", "myHelp", "Frame1"})
        EXPECT_NE(form->findChild<QWidget*>(name), nullptr) << name;
    for (const char* name : {"mRunThis", "mnuParent", "mnuStay", "mnuTray", "mnuOrder", "mnuOnTop",
                             "mnuAutoHide", "mnuCopy", "mnuPaste", "mnuBrowse", "mnuRefresh"})
        EXPECT_NE(form->findChild<QAction*>(name), nullptr) << name;
    EXPECT_EQ(control<QPushButton>(*form, "mBack")->text(), "&Back");
    EXPECT_EQ(control<QPushButton>(*form, "Parent")->text(), "&Top");
    EXPECT_EQ(control<QPushButton>(*form, "Find")->toolTip(),
              "Click to start FileSystem (FS) search");
    EXPECT_EQ(control<QPushButton>(*form, "EditList")->toolTip(),
              "Right click to open list in notepad");
    // 96 dots per inch: 15 twips a pixel.
    EXPECT_EQ(control<ListView>(*form, "List1")->pos(), QPoint(13, 24));
    EXPECT_EQ(control<DigitColumn>(*form, "Label2")->geometry(), QRect(1, 29, 10, 158));
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->geometry(), QRect(13, 2, 284, 20));
    EXPECT_EQ(control<DigitColumn>(*form, "Label2")->text().split("\r\n"),
              (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}));
    EXPECT_TRUE(form->Model().modes().onTop);
    EXPECT_TRUE(plat.calls.contains("setTopmost|1"));
    EXPECT_TRUE(plat.calls.contains("raisePriority"));
    // Start-up makes the program resident.
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
    EXPECT_TRUE(form->Model().modes().resident);
    // Menu shortcut texts are labels only.
    EXPECT_TRUE(control<QAction>(*form, "mnuCopy")->shortcut().isEmpty());
    EXPECT_TRUE(control<QAction>(*form, "mnuCopy")->text().endsWith("\tCtrl+Ins"));
}

TEST_F(Startup, ReadinessGateOpensAtTheFirstTick) {
    writeList("Brennomix", {"a\ta.exe"});
    start(QString(), false);
    EXPECT_EQ(form->Readiness(), 0);
    EXPECT_TRUE(control<QTimer>(*form, "Timer1")->isActive());
    // The list is loaded by the tick, not before.
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 0);
    EXPECT_TRUE(waitFor([this] { return form->Readiness() == 1; }, 2000));
    EXPECT_FALSE(control<QTimer>(*form, "Timer1")->isActive());
    EXPECT_EQ(control<ListView>(*form, "List1")->ListItems().Count(), 1);
    EXPECT_TRUE(form->isVisible());

    // After the context menu the counter is set to -5: the next tick only
    // reopens the gate.
    Form1Hooks::setReadiness(*form, -5);
    control<QTimer>(*form, "Timer1")->start();
    form->Timer1_Timer();
    EXPECT_EQ(form->Readiness(), 1);
    EXPECT_FALSE(control<QTimer>(*form, "Timer1")->isActive());
}

TEST_F(Startup, VersionAndPriority) {
    start();
    EXPECT_EQ(form->getVersion(), "xp");
}

TEST_F(Startup, FirstStartWithAListWordCreatesThatList) {
    writeList("Brennomix", {"top\ttop.exe"});
    start("mtools");
    EXPECT_EQ(form->windowTitle(), "Brennomix tools");
    EXPECT_EQ(dlg.messages(), QStringList{"New list? Trying to create it."});
    EXPECT_TRUE(QFile::exists(path("mtools.ini")));
    EXPECT_EQ(titles(), (QStringList{"notepad", "Calc", "Internet Explorer"}));
}

TEST_F(Startup, CloseWhileNotResidentEndsTheProgram) {
    writeList("Brennomix", {"top\ttop.exe"});
    start();
    form->mnuTray_Click();
    QSignalSpy ended(form.get(), &Form1::programEnded);
    form->close();
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(plat.calls.contains("releaseHotkey"));
}

TEST_F(Startup, CloseAsksForAChangedListAndNeverLosesIt) {
    writeList("Brennomix", {"top\ttop.exe"});
    start();
    form->Model().list().setTitle(1, "edited");
    form->SetListDirty(true);
    form->mnuTray_Click();
    // The save fails (a folder cannot be replaced by the new file, and the
    // changes here are to go over what replaced the list): the window stays
    // with the changes.
    QFile::remove(path("Brennomix.ini"));
    QDir(dir.path()).mkdir("Brennomix.ini");
    dlg.answers = {true, true};
    form->close();
    EXPECT_FALSE(form->Ended());
    EXPECT_TRUE(form->ListDirty());
    EXPECT_EQ(form->Model().list().entry(1).title, "edited");
    // Saved after all: the program ends.
    QDir(dir.path()).rmdir("Brennomix.ini");
    dlg.answers = {true};
    form->close();
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(readFile("Brennomix.ini"), QByteArray("edited\ttop.exe\t\t\t\t\r\n"));
}

TEST_F(Startup, CloseWhileScanningNeverEnds) {
    start();
    form->mnuTray_Click();
    form->Search().setScanBusy(true);
    form->close();
    EXPECT_FALSE(form->Ended());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Startup, WindowFitsTheListAndKeepsItsMinimumSize) {
    QStringList ten, twenty;
    for (int i = 1; i <= 20; ++i) (i <= 10 ? ten : twenty) << QStringLiteral("e%1\te.exe").arg(i);
    twenty = ten + twenty;
    writeList("Brennomix", ten);
    writeList("mlong", twenty);
    start();
    // Ten entries ask for a client area of 2955 twips; the minimum height of
    // 3340 may make it taller when the window frame is thin.
    EXPECT_EQ(form->ScaleHeight(), std::max(2955, 3390 - (form->Height() - form->ScaleHeight())));
    EXPECT_TRUE(control<DigitColumn>(*form, "Label2")->isVisible());
    QString longer = "mlong";
    form->LoadList(longer);
    // 20 rows of 240 twips plus 6.09375 inches of a 96-dpi screen's pixels.
    EXPECT_EQ(form->ScaleHeight(), 20 * 240 + 585);
    EXPECT_TRUE(control<DigitColumn>(*form, "Label2")->isVisible());
    // The window sits on the bottom of the work area.
    EXPECT_EQ(form->Top() + form->Height(), Form1Hooks::workArea(*form).bottom());
    form->SetHeight(1000);
    EXPECT_EQ(form->Height(), 3390);
    form->SetWidth(2000);
    EXPECT_EQ(form->Width(), 4650);
}
