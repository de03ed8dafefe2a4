// The launcher and the run modes on the real Form1 against the recording
// platform: what is handed to the shell, what is asked, and whether the
// window stays.
#include <QAbstractItemView>
#include <QCompleter>

#include "app/commandword.h"
#include "form1hooks.h"
#include "runfixture.h"

namespace {

// Shows search results the way the searches do: rows referring to lines.
// Shows `lines` as the results of a search, as the quick search does.
void showResults(Form1& f, const QStringList& lines) {
    f.StartQuickSearch();
    ListModel& m = control<ListView>(f, "List1")->ListItems();
    m.SetResultSource(lines, [](const QString& line) { return line.section(u'\t', 0, 0); });
    std::vector<int> all;
    for (int i = 0; i < lines.size(); ++i) all.push_back(i);
    m.AddResults(all, {});
}

}  // namespace

class Launcher : public RunFixture {
protected:
    // Runs the selected row and carries out what it decided, short of
    // closing the window.
    RunNext run() {
        const RunOutcome r = form->RunEntry();
        if (r.next != RunNext::Close) form->FollowRun(r);
        return r.next;
    }
};

TEST_F(Launcher, ListRowsHandFilenameArgumentsAndPathToTheShell) {
    startOn(
        {"Tool\t/apps/tool\t/work/\t-v \"a b\"", "Bare\ttool.sh\t/work/", "Web\thttps://x.org/"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    EXPECT_EQ(run(), RunNext::Close);
    control<ListView>(*form, "List1")->SetSelected(2, true);
    EXPECT_EQ(run(), RunNext::Close);
    control<ListView>(*form, "List1")->SetSelected(3, true);
    EXPECT_EQ(run(), RunNext::Close);
    EXPECT_EQ(shellCalls(),
              (QStringList{"shellExecute|/apps/tool|-v \"a b\"|/work/",
                           "shellExecute|tool.sh||/work/", "shellExecute|https://x.org/||"}));
    EXPECT_EQ(control<QLabel>(*form, "mDate")->text(), "LAUNCHING  HTTPS://X.ORG/");
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(Launcher, ResultRowsAreSplitFromTheirSourceLine) {
    startOn({"top\ttop"});
    showResults(*form, {"Tool\ttool\t/opt/\t--fast\t0,0,0\tBold", "Doc\t/home/u/doc.txt"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    run();
    control<ListView>(*form, "List1")->SetSelected(2, true);
    run();
    EXPECT_EQ(shellCalls(),
              (QStringList{"shellExecute|tool|--fast|/opt/", "shellExecute|/home/u/doc.txt||"}));
    EXPECT_EQ(control<QLabel>(*form, "mDate")->text(), "LAUNCHING  /HOME/U/DOC.TXT");
}

TEST_F(Launcher, SublistRowsOpenTheirListAndKeepTheWindow) {
    writeList("mTools", {"hammer\thammer"});
    startOn({"Tools\t\t/ignored/\t-x", "top\ttop"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    EXPECT_EQ(run(), RunNext::OpenSublist);
    EXPECT_EQ(form->windowTitle(), "Brennomix Tools");
    EXPECT_EQ(titles(), QStringList{"hammer"});
    EXPECT_EQ(form->Model().parentList(), "Brennomix");
    EXPECT_TRUE(shellCalls().isEmpty());

    // A search result of a sublist line opens that list too.
    showResults(*form, {"Tools\t\t\t\t\t"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    EXPECT_EQ(run(), RunNext::OpenSublist);
    EXPECT_EQ(titles(), QStringList{"hammer"});
    EXPECT_EQ(form->Model().parentList(), "mTools");
}

TEST_F(Launcher, ChangedListIsSavedOnlyOnYesAndNeverAsSearchResults) {
    writeList("mTools", {"hammer\thammer"});
    startOn({"Tools", "top\ttop"});
    const QByteArray before = readFile("Brennomix.ini");

    form->Model().list().setTitle(2, "changed");
    form->SetListDirty(true);
    control<ListView>(*form, "List1")->SetSelected(1, true);
    dlg.answers = {false};
    run();
    EXPECT_EQ(dlg.shown, QStringList{"question||List not saved. Save now?"});
    EXPECT_EQ(readFile("Brennomix.ini"), before);
    EXPECT_FALSE(form->ListDirty());

    QString top = "Brennomix";
    form->LoadList(top);
    form->Model().list().setTitle(2, "changed");
    form->SetListDirty(true);
    control<ListView>(*form, "List1")->SetSelected(1, true);
    dlg.answers = {true};
    run();
    EXPECT_EQ(readFile("Brennomix.ini"), QByteArray("Tools\t\t\t\t\t\r\nchanged\ttop\t\t\t\t\r\n"));

    // In search results a Yes has no list to write: the file stays.
    form->LoadList(top);
    const QByteArray saved = readFile("Brennomix.ini");
    showResults(*form, {"Tools\t\t\t\t\t", "x\tx"});
    form->SetListDirty(true);
    control<ListView>(*form, "List1")->SetSelected(1, true);
    dlg.answers = {true};
    EXPECT_EQ(run(), RunNext::OpenSublist);
    EXPECT_EQ(readFile("Brennomix.ini"), saved);
    EXPECT_EQ(form->windowTitle(), "Brennomix Tools");
}

TEST_F(Launcher, MissingTargetIsRetriedByBaseNameThenReported) {
    startOn({"Tool\t/apps/tool\t/apps/\t-x"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    plat.shellResults = {2, 2};
    dlg.answers = {false};
    EXPECT_EQ(run(), RunNext::AskBrowse);
    EXPECT_EQ(shellCalls(),
              (QStringList{"shellExecute|/apps/tool|-x|/apps/", "shellExecute|tool|-x|/apps/"}));
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0],
              "question|Task not found.|Check path:\r\n /apps/\r\nand name:\r\n "
              "tool\r\nLook for it now?");

    // Found by the retry: no report, and the window may close.
    plat.calls.clear();
    dlg.shown.clear();
    plat.shellResults = {2, 42};
    EXPECT_EQ(run(), RunNext::Close);
    EXPECT_EQ(shellCalls().size(), 2);
    EXPECT_TRUE(dlg.shown.isEmpty());

    // Other failures are the platform's to report.
    plat.calls.clear();
    plat.shellResults = {5};
    EXPECT_EQ(run(), RunNext::Close);
    EXPECT_EQ(shellCalls().size(), 1);
    EXPECT_TRUE(dlg.shown.isEmpty());

    // Search results offer no browsing: a plain message.
    showResults(*form, {"Tool\ttool\t/apps/"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    plat.shellResults = {2, 2};
    EXPECT_EQ(run(), RunNext::NotFound);
    EXPECT_EQ(dlg.shown.value(0), "message||Check path:\r\n /apps/\r\nand name:\r\n tool");
}

TEST_F(Launcher, ShortcutRowsRunWhatTheShortcutNames) {
    Platform::Shortcut s;
    s.target = "/usr/bin/editor";
    s.workingDirectory = "/home/u/";
    s.arguments = "--new-window";
    plat.shortcuts["/apps/editor.desktop"] = s;
    Platform::Shortcut noDir = s;
    noDir.workingDirectory.clear();
    plat.shortcuts["/abs/editor.DESKTOP"] = noDir;
    startOn({"Editor\teditor.desktop\t/apps/\tnotes.txt", "Abs\t/abs/editor.DESKTOP\t/apps/",
             "Old\told.lnk\t/apps/\t-x"});

    control<ListView>(*form, "List1")->SetSelected(1, true);
    EXPECT_EQ(run(), RunNext::Close);
    control<ListView>(*form, "List1")->SetSelected(2, true);
    run();
    // A shortcut that cannot be read goes to the shell as a document, once.
    control<ListView>(*form, "List1")->SetSelected(3, true);
    plat.shellResults = {2};
    dlg.answers = {false};
    EXPECT_EQ(run(), RunNext::AskBrowse);
    EXPECT_EQ(plat.callsStartingWith("readShortcut|"),
              (QStringList{"readShortcut|/apps/editor.desktop", "readShortcut|/abs/editor.DESKTOP",
                           "readShortcut|/apps/old.lnk"}));
    EXPECT_EQ(shellCalls(),
              (QStringList{"shellExecute|/usr/bin/editor|--new-window notes.txt|/home/u/",
                           "shellExecute|/usr/bin/editor|--new-window|",
                           "shellExecute|old.lnk|-x|/apps/"}));
    EXPECT_EQ(control<QLabel>(*form, "mDate")->text(), "LAUNCHING  OLD.LNK");
}

TEST_F(Launcher, NothingSelectedRunsNothing) {
    startOn({"Tool\ttool"});
    control<ListView>(*form, "List1")->selectionModel()->clearCurrentIndex();
    EXPECT_EQ(run(), RunNext::Close);
    EXPECT_TRUE(shellCalls().isEmpty());
    // Enter then simply closes the window.
    key(Qt::Key_Return);
    EXPECT_TRUE(windowClosed());
}

TEST_F(Launcher, ProgramsTheDesktopCouldNotStartAreReported) {
    startOn({"Tool\ttool"});
    emit plat.programNotStarted("Could not start \"/apps/tool\".");
    EXPECT_EQ(dlg.messages(), QStringList{"Could not start \"/apps/tool\"."});
}

using RunModeTest = RunFixture;

TEST_F(RunModeTest, ARunClosesTheWindowUnlessSomethingKeepsItOpen) {
    startOn(rows(3));
    control<ListView>(*form, "List1")->SetSelected(2, true);
    int mode = 0;
    form->RunSelection(mode, 0, 0);
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/tool2||"});
    EXPECT_TRUE(windowClosed());
}

TEST_F(RunModeTest, StayOpenModifiersAndMissingTargetsKeepTheWindow) {
    startOn(rows(3));
    control<ListView>(*form, "List1")->SetSelected(1, true);
    int mode = 2;  // Ctrl
    form->RunSelection(mode, 0, 0);
    EXPECT_EQ(mode, 2);
    mode = 4;  // Alt
    form->RunSelection(mode, 0, 0);
    plat.shellResults = {2, 2};
    mode = 0;
    form->RunSelection(mode, 0, 0);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(dlg.shown.size(), 1);
    EXPECT_FALSE(windowClosed());

    form->ToggleStayOpen();
    EXPECT_EQ(form->Model().modes().statusLetter(), "S");
    EXPECT_TRUE(form->Model().modes().stayOpen);
    mode = 0;
    form->RunSelection(mode, 0, 0);
    EXPECT_EQ(mode, 2);
    EXPECT_FALSE(windowClosed());
    EXPECT_EQ(shellCalls().size(), 5);

    // Off again: "R" while resident, empty otherwise.
    form->Model().modes().resident = true;
    form->ToggleStayOpen();
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
    EXPECT_FALSE(form->Model().modes().stayOpen);
    form->ToggleStayOpen();
    form->Model().modes().resident = false;
    form->ToggleStayOpen();
    EXPECT_EQ(form->Model().modes().statusLetter(), "");
}

TEST_F(RunModeTest, ShiftOpensTheParentFolderAndCopiesThePath) {
    startOn({"Tool\ttool\t/apps/bin/", "Bare\tgedit", "Abs\t/opt/x/run"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->mnuParent_Click();
    EXPECT_EQ(plat.clipboard, "/apps/bin/tool");
    EXPECT_EQ(form->Model().copiedPath(), "/apps/bin/");
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/bin/||"});
    EXPECT_FALSE(windowClosed());

    // Nothing to copy: the folder copied before opens again.
    control<ListView>(*form, "List1")->SetSelected(2, true);
    form->mnuParent_Click();
    EXPECT_EQ(shellCalls().value(1), "shellExecute|/apps/bin/||");
    EXPECT_EQ(form->Model().copiedPath(), "/apps/bin/");

    // Shift+click does the same for the row under the pointer.
    const QRect r3 = control<ListView>(*form, "List1")->RowRect(3);
    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::LeftButton,
                      Qt::ShiftModifier, r3.center());
    EXPECT_EQ(form->Model().copiedPath(), "/opt/x/");
    EXPECT_EQ(plat.clipboard, "/opt/x/run");
    EXPECT_FALSE(windowClosed());
}

TEST_F(RunModeTest, ClicksRunTheRowUnderThePointer) {
    startOn(rows(3));
    ASSERT_TRUE(control<DigitColumn>(*form, "Label2")->isVisibleTo(form.get()));
    // Below the last row: nothing runs and the window stays.
    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::LeftButton, {},
                      QPoint(20, control<ListView>(*form, "List1")->RowRect(3).bottom() + 10));
    EXPECT_TRUE(shellCalls().isEmpty());
    EXPECT_FALSE(windowClosed());

    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::LeftButton,
                      Qt::ControlModifier, control<ListView>(*form, "List1")->RowRect(2).center());
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/tool2||"});
    EXPECT_FALSE(windowClosed());
    // Only once: the release does not run it again.
    EXPECT_FALSE(Form1Hooks::pressHandled(*form));

    // Edit mode: clicks select, never run.
    form->mnuOrder_Click();
    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::LeftButton, {},
                      control<ListView>(*form, "List1")->RowRect(1).center());
    EXPECT_EQ(shellCalls().size(), 1);
    form->mnuOrder_Click();

    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::LeftButton, {},
                      control<ListView>(*form, "List1")->RowRect(3).center());
    EXPECT_EQ(shellCalls().value(1), "shellExecute|/apps/tool3||");
    EXPECT_TRUE(windowClosed());
}

TEST_F(RunModeTest, PositionPicksTheRowEvenBeforeTheViewMoves) {
    startOn(rows(3));
    control<ListView>(*form, "List1")->SetSelected(1, true);
    int mode = 2;
    form->RunSelection(mode, 10, 250);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 2);
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/tool2||"});
    // Hover selection in effect: the position does not select.
    form->Cfg().hoverSelect = true;
    mode = 2;
    form->RunSelection(mode, 10, 600);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 2);
}

TEST_F(RunModeTest, AScrollingListRunsOnTheRelease) {
    startOn(rows(30));
    ASSERT_FALSE(control<DigitColumn>(*form, "Label2")->isVisibleTo(form.get()));
    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::LeftButton,
                      Qt::ControlModifier, control<ListView>(*form, "List1")->RowRect(4).center());
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/tool4||"});
    EXPECT_FALSE(windowClosed());
}

TEST_F(RunModeTest, ContextMenuPreparesItsCommandsAndPausesTheKeys) {
    startOn({"Tool\ttool\t/apps/\t\t\tBold", "Other\tother"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->Model().setCopiedPath("/apps/");
    form->SetListDirty(true);
    bool shown = false;
    closeMenuWhenShown(&shown);
    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::RightButton, {},
                      control<ListView>(*form, "List1")->RowRect(1).center());
    EXPECT_TRUE(shown);
    EXPECT_TRUE(control<QAction>(*form, "mRunThis")->isEnabled());
    EXPECT_TRUE(control<QAction>(*form, "mnuBold")->isChecked());
    EXPECT_TRUE(control<QAction>(*form, "mnuPaste")->isEnabled());
    // Opening the menu never forgets unsaved changes.
    EXPECT_TRUE(form->ListDirty());
    EXPECT_EQ(form->Readiness(), -5);
    EXPECT_TRUE(control<QTimer>(*form, "Timer1")->isActive());

    // A digit pressed now is ignored; after the next tick it runs.
    key(Qt::Key_2);
    EXPECT_TRUE(shellCalls().isEmpty());
    EXPECT_TRUE(waitFor([this] { return form->Readiness() == 1; }));
    key(Qt::Key_2);
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|other||"});
}

TEST_F(RunModeTest, AClickBeforeTheFirstTickNeitherActsNorSkipsStartUp) {
    startOn(rows(3), false);
    bool shown = false;
    closeMenuWhenShown(&shown);
    QTest::mouseClick(control<ListView>(*form, "List1")->viewport(), Qt::RightButton, {},
                      control<ListView>(*form, "List1")->RowRect(1).center());
    QTest::mouseClick(control<QPushButton>(*form, "Parent"), Qt::LeftButton);
    form->DeliverWords(commandword::relayWords("/2"));
    EXPECT_FALSE(shown);
    EXPECT_TRUE(shellCalls().isEmpty());
    // The first tick still starts up, and the relayed words then act.
    form->Timer1_Timer();
    EXPECT_TRUE(form->StartedUp());
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/tool2||"});
}

TEST_F(RunModeTest, ContextMenuOnSearchResultsKeepsThemResults) {
    startOn({"alpha\ta", "beta\tb"});
    form->StartQuickSearch();
    control<ListView>(*form, "List1")->ListItems().SetText(1, "found");
    control<ListView>(*form, "List1")->setFocus();
    control<ListView>(*form, "List1")->SetSelected(1, true);
    closeMenuWhenShown();
    form->ShowPopupMenu();
    EXPECT_FALSE(form->EditableView());
    EXPECT_FALSE(control<QLineEdit>(*form, "Text2")->isHidden());
    // So neither the save key nor a Yes can write what is shown.
    EXPECT_TRUE(waitFor([this] { return form->Readiness() == 1; }));
    const QByteArray before = readFile("Brennomix.ini");
    key(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    form->SetListDirty(true);
    dlg.answers = {true};
    form->CloseRequest();
    EXPECT_EQ(readFile("Brennomix.ini"), before);
}

TEST_F(RunModeTest, ContextMenuWithoutASelectedRowStillOpens) {
    startOn({"Tool\ttool", "Other\tother"});
    control<ListView>(*form, "List1")->selectionModel()->clearCurrentIndex();
    bool shown = false;
    closeMenuWhenShown(&shown);
    key(Qt::Key_F10);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(control<QAction>(*form, "mRunThis")->isEnabled());
    EXPECT_FALSE(windowClosed());

    // An empty list: only the list commands stay.
    control<ListView>(*form, "List1")->ListItems().Clear();
    closeMenuWhenShown(&shown);
    form->ShowPopupMenu();
    EXPECT_FALSE(control<QAction>(*form, "mnuRename")->isEnabled());
    EXPECT_TRUE(control<QAction>(*form, "mnuNew")->isEnabled());
}

TEST_F(RunModeTest, MenuCommandsRunAndStayOrOpenTheFolder) {
    startOn({"Tool\ttool\t/apps/"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    closeMenuWhenShown(nullptr, control<QAction>(*form, "mRunThis"));
    form->ShowPopupMenu();
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|tool||/apps/"});
    EXPECT_FALSE(windowClosed());
    closeMenuWhenShown(nullptr, control<QAction>(*form, "mnuParent"));
    form->ShowPopupMenu();
    EXPECT_EQ(shellCalls().value(1), "shellExecute|/apps/||");
}

TEST_F(RunModeTest, RunDialogIsTheDesktopsOwnElseTheRunBox) {
    startOn(rows(2));
    form->mnuRun_Click();
    EXPECT_EQ(plat.callsStartingWith("openRunDialog").size(), 1);
    EXPECT_TRUE(control<QLineEdit>(*form, "myRun")->isVisibleTo(form.get()));
    EXPECT_FALSE(windowClosed());
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>(*form, "myRun"));

    plat.runDialogResult = true;
    form->mnuRun_Click();
    EXPECT_TRUE(windowClosed());
}

TEST_F(RunModeTest, RunBoxRunsItsTextAndEscapeOnlyHidesIt) {
    startOn(rows(2));
    form->mnuMyRun_Click();
    QTest::keyClicks(control<QLineEdit>(*form, "myRun"), "notepad");
    // The release reaches whatever has the focus once the box is gone.
    key(Qt::Key_Escape);
    EXPECT_TRUE(control<QLineEdit>(*form, "myRun")->isHidden());
    EXPECT_FALSE(windowClosed());
    EXPECT_TRUE(shellCalls().isEmpty());

    // The text is offered again; Enter runs it and closes the window.
    form->mnuMyRun_Click();
    EXPECT_EQ(control<QLineEdit>(*form, "myRun")->text(), "notepad");
    key(Qt::Key_Return);
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|notepad||"});
    EXPECT_TRUE(windowClosed());
}

TEST_F(RunModeTest, RunBoxRunsAProgramTypedWithItsArguments) {
    startOn(rows(2));
    form->mnuMyRun_Click();
    QTest::keyClicks(control<QLineEdit>(*form, "myRun"), "gedit 'my notes.txt'");
    plat.shellResults = {2, 42};
    key(Qt::Key_Return);
    EXPECT_EQ(shellCalls(), (QStringList{"shellExecute|gedit 'my notes.txt'||",
                                         "shellExecute|gedit|'my notes.txt'|"}));
    EXPECT_TRUE(dlg.messages().isEmpty());
}

TEST_F(RunModeTest, RunBoxSaysWhichProgramIsMissing) {
    startOn(rows(2));
    form->mnuMyRun_Click();
    QTest::keyClicks(control<QLineEdit>(*form, "myRun"), "no-such-tool --fast");
    plat.shellResults = {2, 2};
    key(Qt::Key_Return);
    ASSERT_EQ(dlg.messages().size(), 1);
    EXPECT_TRUE(dlg.messages()[0].contains("\"no-such-tool --fast\""));
    EXPECT_TRUE(dlg.messages()[0].contains("\"no-such-tool\""));
}

TEST_F(RunModeTest, RunBoxCompletesFromThePlatform) {
    startOn(rows(2));
    plat.completions = {"gedit", "gimp"};
    form->mnuMyRun_Click();
    QTest::keyClicks(control<QLineEdit>(*form, "myRun"), "g");
    EXPECT_TRUE(plat.calls.contains("runCompletions|g"));
    auto* completer = control<QLineEdit>(*form, "myRun")->findChild<QCompleter*>();
    ASSERT_NE(completer, nullptr);
    EXPECT_TRUE(completer->popup()->isVisible());
    EXPECT_EQ(completer->completionCount(), 2);
    // Escape first closes the list of completions, then the box, never
    // the window.
    key(Qt::Key_Escape);
    EXPECT_FALSE(completer->popup()->isVisible());
    EXPECT_FALSE(windowClosed());
    key(Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(control<QLineEdit>(*form, "myRun")->text(), "g*");
    key(Qt::Key_Escape);
    EXPECT_TRUE(control<QLineEdit>(*form, "myRun")->isHidden());
    EXPECT_FALSE(windowClosed());
}

TEST_F(RunModeTest, PendixGetsTheEntryOrIsReportedMissing) {
    startOn({"Tool\ttool\t/apps/\t-v"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->mnuPendix_Click();
    EXPECT_EQ(dlg.messages().size(), 1);
    EXPECT_TRUE(dlg.messages().value(0).contains("Pendix"));
    EXPECT_TRUE(plat.callsStartingWith("startCommandLine").isEmpty());
    EXPECT_FALSE(windowClosed());

    plat.programs["Pendix.exe"] = "/opt/my tools/Pendix";
    form->mnuPendix_Click();
    EXPECT_EQ(
        plat.callsStartingWith("startCommandLine"),
        QStringList{"startCommandLine|'/opt/my tools/Pendix' /300 /quit /cmd:/apps/tool -v|2"});
    EXPECT_TRUE(plat.calls.contains("findProgram|Pendix.exe|" + dir.path()));
    EXPECT_FALSE(windowClosed());
}

using Copy = RunFixture;

TEST_F(Copy, PutsTheEntrysFullPathOnTheClipboard) {
    startOn({"App\tapp\t/tools/", "Abs\t/tools/x\t/other/", "Bare\tgedit", "Sub",
             "Web\thttps://x.org"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->mnuCopy_Click();
    EXPECT_EQ(plat.clipboard, "/tools/app");
    EXPECT_EQ(form->Model().copiedPath(), "/tools/app");
    control<ListView>(*form, "List1")->SetSelected(2, true);
    form->CopyEntryPath();
    EXPECT_EQ(form->Model().copiedPath(), "/tools/x");
    for (int i : {3, 4, 5}) {
        control<ListView>(*form, "List1")->SetSelected(i, true);
        form->CopyEntryPath();
        EXPECT_EQ(form->Model().copiedPath(), "/tools/x") << i;
    }
    EXPECT_EQ(plat.callsStartingWith("setClipboardText").size(), 2);

    // The current row without its selected mark copies nothing.
    control<ListView>(*form, "List1")->SetSelected(1, false);
    form->CopyEntryPath();
    EXPECT_EQ(form->Model().copiedPath(), "/tools/x");
    EXPECT_TRUE(dlg.shown.isEmpty());

    showResults(*form, {"Doc\tdoc.txt"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->CopyEntryPath();
    EXPECT_EQ(form->Model().copiedPath(), "doc.txt");
}

TEST_F(Copy, NoCurrentRowIsReported) {
    startOn({"App\tapp\t/tools/"});
    control<ListView>(*form, "List1")->selectionModel()->clearCurrentIndex();
    form->Model().setCopiedPath("/before/");
    form->mnuCopy_Click();
    EXPECT_EQ(dlg.messages(), QStringList{"Item selected is not valid."});
    EXPECT_EQ(form->Model().copiedPath(), "/before/");
}
