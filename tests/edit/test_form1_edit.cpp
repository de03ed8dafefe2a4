// Editing lists on the real Form1: edit mode, the entry commands with the
// list file's bytes after each saving command, drops, file pickers,
// colours and editors, with scripted dialogs and a recording platform.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>

#include "edit/colordialog.h"
#include "lists/listfile.h"
#include "runfixture.h"

inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"' << b.toStdString() << '"';
}

namespace {

class Edit : public RunFixture {
protected:
    QByteArray top() const { return readFile("Brennomix.ini"); }
    // Selects row i as the keyboard does: current and marked selected.
    void select(int i) { control<ListView>(*form, "List1")->SetSelected(i, true); }
    ListModel& items() { return control<ListView>(*form, "List1")->ListItems(); }

    // Drops `data` on the list as a file manager would.
    void drop(QMimeData* data, bool accepted = true) {
        QWidget* vp = control<ListView>(*form, "List1")->viewport();
        const QPoint at = vp->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &enter);
        EXPECT_EQ(enter.isAccepted(), accepted);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &dropped);
        delete data;
        // The entry is added once the drop has finished.
        QCoreApplication::sendPostedEvents();
    }

    // Acts on the colour dialog once it shows.
    void whenColorDialogShows(std::function<void(Dialog&)> act) {
        auto* poll = new QTimer(form.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
            auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) return;
            poll->deleteLater();
            act(*d);
        });
        poll->start();
    }

    QStringList started() const { return plat.callsStartingWith("startCommandLine|"); }
};

}  // namespace

TEST_F(Edit, EditModeShowsTheBarTintsTheListAndHoldsHoverSelection) {
    writeList("mTools", {"hammer\thammer"});
    startOn({"Tools", "Tool\t/apps/tool"});
    form->Cfg().hoverSelect = true;
    key(Qt::Key_F8);
    EXPECT_TRUE(form->EditMode());
    EXPECT_TRUE(form->Model().modes().editMode);
    EXPECT_TRUE(control<QFrame>(*form, "Frame1")->isVisible());
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), listfile::rgb(213, 193, 193));
    EXPECT_FALSE(control<QPushButton>(*form, "mBack")->isEnabled() ||
                 control<QPushButton>(*form, "Parent")->isEnabled() ||
                 control<QPushButton>(*form, "Find")->isEnabled());
    EXPECT_FALSE(form->Cfg().hoverSelect);
    EXPECT_TRUE(form->Model().modes().hoverSwitchedOffByEdit);

    // A sublist opened from the keyboard keeps edit mode and its look.
    key(Qt::Key_1);
    EXPECT_EQ(form->windowTitle(), "Brennomix Tools");
    EXPECT_TRUE(control<QFrame>(*form, "Frame1")->isVisible());
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), listfile::rgb(213, 193, 193));

    key(Qt::Key_F8);
    EXPECT_FALSE(form->EditMode());
    EXPECT_FALSE(control<QFrame>(*form, "Frame1")->isVisible());
    EXPECT_EQ(control<ListView>(*form, "List1")->BackColor(), listfile::rgb(191, 191, 191));
    EXPECT_TRUE(control<QPushButton>(*form, "mBack")->isEnabled() &&
                control<QPushButton>(*form, "Parent")->isEnabled() &&
                control<QPushButton>(*form, "Find")->isEnabled());
    EXPECT_TRUE(form->Cfg().hoverSelect);
}

TEST_F(Edit, CommandsFollowTheView) {
    startOn({});
    EXPECT_TRUE(control<QPushButton>(*form, "Browse")->isEnabled() &&
                control<QPushButton>(*form, "EditList")->isEnabled() &&
                control<QAction>(*form, "mnuOrder")->isEnabled() &&
                control<QAction>(*form, "mnuNew")->isEnabled());
    EXPECT_FALSE(control<QAction>(*form, "mnuBold")->isEnabled() ||
                 control<QAction>(*form, "mnuRename")->isEnabled() ||
                 control<QAction>(*form, "mnuBrowse")->isEnabled() ||
                 control<QAction>(*form, "mnuEdit")->isEnabled());

    writeList("Brennomix", {"alpha\t/a/alpha", "beta\t/b/beta"});
    QString stem = "Brennomix";
    form->LoadList(stem);
    const QByteArray before = top();
    form->StartQuickSearch();
    EXPECT_FALSE(form->EditableView());
    // Nothing writes search results into the list's file, nor edits them.
    select(2);
    form->mUp_Click();
    form->mNew_Click();
    form->RenameEntry();
    form->mnuOrder_Click();
    EXPECT_FALSE(form->EditMode());
    EXPECT_EQ(titles(), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(top(), before);
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(Edit, MovesCarryTheLookAndAreSavedWithTheList) {
    startOn({"one\t/x/1", "two\t/x/2\t\t\t0,128,255", "three\t/x/3", "Sub", "five\t/x/5"});
    select(5);
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(titles(), (QStringList{"one", "two", "five", "three", "Sub"}));
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 3);
    EXPECT_TRUE(form->ListDirty());
    // The sublist keeps its dark red bold look, the coloured entry its colour.
    EXPECT_EQ(items().ForeColor(5), listfile::kSublistColor);
    EXPECT_TRUE(items().Bold(5));
    select(2);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(items().ForeColor(3), listfile::rgb(0, 128, 255));
    EXPECT_EQ(items().ForeColor(2), listfile::kDefaultTextColor);

    // At the ends nothing moves and nothing is marked changed.
    ASSERT_TRUE(form->SaveList());
    select(1);
    form->mUp_Click();
    select(5);
    form->mDown_Click();
    EXPECT_FALSE(form->ListDirty());
    EXPECT_EQ(top(),
              QByteArray("one\t/x/1\t\t\t\t\r\nfive\t/x/5\t\t\t\t\r\n"
                         "two\t/x/2\t\t\t0,128,255\t\r\nthree\t/x/3\t\t\t\t\r\nSub\t\t\t\t\t\r\n"));
}

TEST_F(Edit, DeleteCutCopyAndPaste) {
    startOn({"app\tapp.sh\t/tools/", "web\thttps://x.org/", "keep\t/k/keep"});
    select(1);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(titles(), (QStringList{"web", "keep"}));
    EXPECT_EQ(form->Model().copiedPath(), "/tools/app.sh");
    EXPECT_EQ(plat.clipboard, "/tools/app.sh");
    EXPECT_TRUE(form->ListDirty());

    // A current row that is not marked selected is not removed.
    select(1);
    control<ListView>(*form, "List1")->SetSelected(1, false);
    form->mDelete_Click();
    EXPECT_EQ(titles(), (QStringList{"web", "keep"}));

    // Paste adds the copied path, not what the clipboard holds now.
    plat.clipboard = "/elsewhere/other";
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(top(), QByteArray("web\thttps://x.org/\t\t\t\t\r\nkeep\t/k/keep\t\t\t\t\r\n"
                                "app.sh\t/tools/app.sh\t/tools/\t\t\t\r\n"));
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(Edit, NewSublistSavesTheListAndCreatesItsFile) {
    writeList("mOld", {"x\tx"});
    startOn({"app\t/a/app"});
    dlg.inputs = {"Games", "Old", "", "bad/name"};
    form->mNew_Click();
    EXPECT_EQ(top(), QByteArray("app\t/a/app\t\t\t\t\r\nGames\t\t\t\t\t\r\n"));
    EXPECT_TRUE(QFileInfo(path("mGames.ini")).isFile());
    EXPECT_EQ(QFileInfo(path("mGames.ini")).size(), 0);
    EXPECT_EQ(items().ForeColor(2), listfile::kSublistColor);
    EXPECT_TRUE(items().Bold(2));

    // An existing list stays as it is; the new entry opens it.
    form->mnuNew_Click();
    EXPECT_EQ(readFile("mOld.ini"), QByteArray("x\tx\r\n"));
    EXPECT_EQ(titles(), (QStringList{"app", "Games", "Old"}));

    // Cancel, and a name that cannot be a list, add and save nothing.
    const QByteArray saved = top();
    form->mNew_Click();
    form->mNew_Click();
    EXPECT_EQ(top(), saved);
    EXPECT_EQ(titles(), (QStringList{"app", "Games", "Old"}));
    ASSERT_EQ(dlg.messages().size(), 1);
    EXPECT_TRUE(dlg.messages()[0].contains("cannot be the name of a list"));
    EXPECT_EQ(QDir(dir.path()).entryList({"m*.ini"}), (QStringList{"mGames.ini", "mOld.ini"}));
}

TEST_F(Edit, RenameMovesASublistsFileButNeverOverAnother) {
    writeList("mTools", {"hammer\thammer"});
    writeList("mGames", {"chess\tchess"});
    startOn({"Tools", "Games", "Lost", "app\t/a/app"});
    select(1);
    dlg.inputs = {"Kit"};
    key(Qt::Key_F6);
    EXPECT_EQ(dlg.shown.value(0), "input|Rename||Tools");
    EXPECT_FALSE(QFileInfo::exists(path("mTools.ini")));
    EXPECT_EQ(readFile("mKit.ini"), QByteArray("hammer\thammer\r\n"));
    EXPECT_TRUE(top().startsWith("Kit\t\t\t\t\t\r\nGames"));

    // The new name's file exists: nothing changes, and the user is told.
    const QByteArray saved = top();
    dlg.inputs = {"Games"};
    form->RenameEntry();
    EXPECT_EQ(items().Text(1), "Kit");
    EXPECT_EQ(readFile("mKit.ini"), QByteArray("hammer\thammer\r\n"));
    EXPECT_EQ(readFile("mGames.ini"), QByteArray("chess\tchess\r\n"));
    EXPECT_EQ(top(), saved);
    EXPECT_EQ(dlg.messages().size(), 1);

    // No file of the old name: only the title changes. Nor does an entry
    // with a Filename touch any file.
    dlg.inputs = {"Found", "App", "x/y", ""};
    select(3);
    form->RenameEntry();
    EXPECT_FALSE(QFileInfo::exists(path("mFound.ini")));
    select(4);
    form->mnuRename_Click();
    select(2);
    form->RenameEntry();
    form->RenameEntry();
    EXPECT_EQ(top(), QByteArray("Kit\t\t\t\t\t\r\nGames\t\t\t\t\t\r\nFound\t\t\t\t\t\r\n"
                                "App\t/a/app\t\t\t\t\r\n"));
    EXPECT_EQ(dlg.messages().size(), 2);
    EXPECT_EQ(QDir(dir.path()).entryList({"m*.ini"}), (QStringList{"mGames.ini", "mKit.ini"}));
}

TEST_F(Edit, ArgumentsAndBoldMarkTheListChanged) {
    startOn({"app\t/a/app\t\t-v", "Sub"});
    select(1);
    dlg.inputs = {"--fast"};
    key(Qt::Key_F9);
    EXPECT_EQ(items().SubItem(1, 3), "--fast");
    EXPECT_TRUE(form->ListDirty());
    // Cancel asks whether to clear: No keeps, Yes clears.
    dlg.answers = {false, true};
    form->EditEntryArguments();
    EXPECT_EQ(items().SubItem(1, 3), "--fast");
    form->mnuArgs_Click();
    EXPECT_EQ(items().SubItem(1, 3), "");
    EXPECT_EQ(dlg.shown.filter("Clear arguments?").size(), 2);

    // A sublist is shown bold without a Bold field.
    select(2);
    form->mnuBold_Click();
    EXPECT_FALSE(items().Bold(2));
    EXPECT_EQ(items().SubItem(2, 5), "");
    form->mnuBold_Click();
    EXPECT_TRUE(items().Bold(2));
    EXPECT_EQ(items().SubItem(2, 5), "Bold");
    EXPECT_EQ(top(), QByteArray("app\t/a/app\t\t-v\r\nSub\r\n"));
    form->mSave_Click();
    EXPECT_EQ(top(), QByteArray("app\t/a/app\t\t\t\t\r\nSub\t\t\t\t\tBold\r\n"));
}

TEST_F(Edit, DroppedFilesTextAndShortcutsBecomeEntries) {
    QTemporaryDir files;
    const QString doc = files.path() + "/My Notes/todo list.txt";
    QDir().mkpath(files.path() + "/My Notes");
    QFile(doc).open(QIODevice::WriteOnly);
    startOn({"app\t/a/app"});

    auto* uris = new QMimeData;
    uris->setUrls({QUrl::fromLocalFile(doc), QUrl::fromLocalFile("/etc/hosts")});
    drop(uris);
    auto* text = new QMimeData;
    text->setText("https://example.org/wiki/Main\n");
    drop(text);
    const QByteArray expected = "app\t/a/app\t\t\t\t\r\ntodo list\t" + doc.toUtf8() + "\t" +
                                files.path().toUtf8() + "/My Notes/\t\t\t\r\nexample.org\t" +
                                "https://example.org/wiki/Main\t\t\t\t\r\n";
    EXPECT_EQ(top(), expected);

    // Nothing to add: nothing added, nothing saved.
    drop(new QMimeData, false);
    EXPECT_EQ(items().Count(), 3);
    // An address without a folder cannot be added; the list is saved anyway.
    auto* host = new QMimeData;
    host->setText("https://example.org");
    drop(host);
    EXPECT_EQ(dlg.messages(), QStringList{"Error. Couldn't add item."});
    EXPECT_EQ(top(), expected);

    // A desktop shortcut: Yes adds its program with its arguments, No the
    // shortcut itself.
    const QString shortcut = "/home/u/Desktop/Editor.desktop";
    plat.shortcuts[shortcut] = Platform::Shortcut{"gedit", "", "--new-window", "", 0, 1};
    plat.programs["gedit"] = "/usr/bin/gedit";
    plat.existing = {shortcut, "/d/Nothing.desktop"};
    dlg.answers = {true, false};
    for (int i = 0; i < 2; ++i) {
        auto* s = new QMimeData;
        s->setUrls({QUrl::fromLocalFile(shortcut)});
        drop(s);
    }
    EXPECT_EQ(dlg.shown.filter("Resolve Shortcut?").size(), 2);
    EXPECT_TRUE(
        top().endsWith("gedit\t/usr/bin/gedit\t/usr/bin/\t--new-window\t\t\r\n"
                       "Editor\t/home/u/Desktop/Editor.desktop\t/home/u/Desktop/"
                       "\t\t\t\r\n"));
    // A shortcut to nothing stays the shortcut; one that cannot be read
    // is not added.
    plat.shortcuts["/d/Nothing.desktop"] = Platform::Shortcut{};
    dlg.answers = {true, true};
    for (const char* file : {"/d/Nothing.desktop", "/d/Broken.desktop"}) {
        auto* s = new QMimeData;
        s->setUrls({QUrl::fromLocalFile(file)});
        drop(s);
    }
    EXPECT_TRUE(top().endsWith("\r\nNothing\t/d/Nothing.desktop\t/d/\t\t\t\r\n"));
    EXPECT_EQ(dlg.messages().size(), 2);
    // Outside a list loaded from its file a drop adds nothing.
    form->StartQuickSearch();
    auto* late = new QMimeData;
    late->setText("/x/late");
    QWidget* vp = control<ListView>(*form, "List1")->viewport();
    QDragEnterEvent enter(vp->rect().center(), Qt::CopyAction, late, Qt::LeftButton, {});
    QApplication::sendEvent(vp, &enter);
    EXPECT_FALSE(enter.isAccepted());
    delete late;
}

TEST_F(Edit, BrowsingAddsOrRepointsAnEntry) {
    startOn({"old\t/gone/old.sh\t/gone/\t-q\t10,20,30"});
    plat.existing = {"/usr/bin/gimp", "/opt/new/run.sh"};
    dlg.fileNames = {"/usr/bin/gimp", "", "/opt/new/run.sh"};
    control<QPushButton>(*form, "Browse")->click();
    EXPECT_EQ(dlg.shown.value(0), "openFileName|Open|");
    EXPECT_EQ(titles(), (QStringList{"old", "gimp"}));
    EXPECT_TRUE(dlg.messages().isEmpty());

    // "Look for it": the entry keeps its arguments and colour.
    select(1);
    form->mnuBrowse_Click();
    EXPECT_EQ(items().Count(), 2);
    form->mnuBrowse_Click();
    EXPECT_EQ(dlg.shown.value(2), "openFileName|Look for: /gone/old.sh|/gone/");
    EXPECT_EQ(top(), QByteArray("run\t/opt/new/run.sh\t/opt/new/\t-q\t10,20,30\t\r\n"
                                "gimp\t/usr/bin/gimp\t/usr/bin/\t\t\t\r\n"));
    EXPECT_EQ(items().ForeColor(1), listfile::rgb(10, 20, 30));
}

TEST_F(Edit, ColorDialogStoresTheChosenOrShownColour) {
    startOn({"app\t/a/app", "Sub"});
    select(1);
    whenColorDialogShows([](Dialog& d) {
        EXPECT_EQ(d.windowTitle(), "Choose Color");
        EXPECT_EQ(d.Text1->text(), "0");
        d.Text1->setText("300");
        d.Text2->setText("12");
        d.OKButton->click();
    });
    key(Qt::Key_F4);
    EXPECT_EQ(items().ForeColor(1), listfile::rgb(255, 12, 0));
    EXPECT_FALSE(control<ListView>(*form, "List1")->Selected(1));
    EXPECT_EQ(top(), QByteArray("app\t/a/app\t\t\t300,12,0\t\r\nSub\t\t\t\t\t\r\n"));

    // Cancel stores the colour the row is shown in and saves.
    select(2);
    whenColorDialogShows([](Dialog& d) {
        EXPECT_EQ(d.Slider1->value(), 180);
        d.Text1->setText("7");
        d.CancelButton->click();
    });
    form->mnuColor_Click();
    EXPECT_EQ(items().ForeColor(2), listfile::kSublistColor);
    EXPECT_FALSE(form->ListDirty());
    EXPECT_TRUE(top().endsWith("Sub\t\t\t\t180,0,0\t\r\n"));

    // A box that holds no whole number keeps the dialog open.
    select(1);
    whenColorDialogShows([this](Dialog& d) {
        d.Text3->setText("blue");
        d.OKButton->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(dlg.messages().size(), 1);
        d.Text3->setText("64");
        d.OKButton->click();
    });
    form->mnuColor_Click();
    EXPECT_TRUE(top().startsWith("app\t/a/app\t\t\t255,12,64\t\r\n"));
}

TEST_F(Edit, SlidersPreviewOnlyWhenTheMouseMovesOverThem) {
    Dialog d(10, 20, 30, 15, 15, dlg);
    d.show();
    d.Slider2->setValue(200);
    EXPECT_EQ(d.Text2->text(), "20");
    QTest::mouseMove(d.Slider2, d.Slider2->rect().center());
    EXPECT_TRUE(waitFor([&] { return d.Text2->text() == "200"; }));
    EXPECT_EQ(d.Label1->palette().color(QPalette::WindowText), QColor(10, 200, 30));
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.Cancelled());
    EXPECT_EQ(d.Green(), 20);
}

TEST_F(Edit, EditButtonsToggleOnceAndOpenTheListInTheEditor) {
    startOn({"app\t/a/app"});
    QTest::mouseClick(control<QPushButton>(*form, "EditList"), Qt::LeftButton);
    EXPECT_TRUE(form->EditMode());
    EXPECT_TRUE(control<ListView>(*form, "List1")->hasFocus());
    // The right button opens the list file and leaves edit mode as it is.
    QTest::mouseClick(control<QPushButton>(*form, "mEndEdit"), Qt::RightButton);
    QTest::mouseClick(control<QPushButton>(*form, "mEndEdit"), Qt::MiddleButton);
    EXPECT_TRUE(form->EditMode());
    control<QPushButton>(*form, "mEndEdit")->click();
    EXPECT_FALSE(form->EditMode());
    control<QPushButton>(*form, "EditList")->click();
    EXPECT_TRUE(form->EditMode());
    EXPECT_EQ(started(), QStringList{"startCommandLine|notepad " + path("Brennomix.ini") + "|1"});

    // The entry's file in the configured editor, one argument however named.
    form->Cfg().editor = "\"/opt/My Editor/ed\" -n";
    items().SetSubItem(1, 1, "/a/it's $x.cfg");
    items().SetSubItem(1, 2, "/b c/");
    select(1);
    form->mnuEditor_Click();
    EXPECT_EQ(started().value(1),
              "startCommandLine|'/opt/My Editor/ed' -n '/b c/it'\\''s $x.cfg'|1");
    form->Cfg().editor = "\"/opt/unclosed -n";
    form->mnuEditor_Click();
    EXPECT_EQ(started().size(), 2);
    EXPECT_EQ(dlg.messages().size(), 1);
}

TEST_F(Edit, ANameWithATabOrLineBreakIsRefusedAndTheListKept) {
    startOn({"app\t/a/app"});
    dlg.fileNames = {"/tmp/two\tcolumns.txt"};
    control<QPushButton>(*form, "Browse")->click();
    auto* uris = new QMimeData;
    uris->setUrls({QUrl::fromLocalFile("/tmp/line\nbreak.txt")});
    drop(uris);
    // A shortcut whose program is named so.
    plat.shortcuts["/d/Odd.desktop"] = Platform::Shortcut{"/opt/odd\rtool", "", "", "", 0, 1};
    dlg.answers = {true};
    auto* s = new QMimeData;
    s->setUrls({QUrl::fromLocalFile("/d/Odd.desktop")});
    drop(s);
    EXPECT_EQ(dlg.messages().size(), 3);
    EXPECT_TRUE(dlg.messages().value(2).endsWith("/opt/odd\\rtool"));
    EXPECT_EQ(items().Count(), 1);
    EXPECT_EQ(top(), QByteArray("app\t/a/app\t\t\t\t\r\n"));
}
