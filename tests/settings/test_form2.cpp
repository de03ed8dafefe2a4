#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "formfixture.h"
#include "platform/commandline.h"
#include "settings/form2.h"
#include "settings/helptext.h"

namespace {

// A settings file with every line, as Write_Cfg writes it.
struct Cfg {
    QByteArray paths = "Desktop;My Documents;Start Menu";
    QByteArray hotkey = "K";
    int window2Mouse = 0, hover = 0, hide = 0, page = 0, sidebar = 0, autoHide = 0, quick = 0;
    QByteArray bytes() const {
        auto n = [](int v) { return QByteArray::number(v); };
        return paths + "\r\nHotkey=" + hotkey + "\r\nWindow2mouse=" + n(window2Mouse) +
               "\r\nHover select=" + n(hover) + "\r\nHide when recalled=" + n(hide) +
               "\r\nUse page up/down as arrows=" + n(page) + "\r\nSideBar=" + n(sidebar) +
               "\r\nAuto Show/Hide=" + n(autoHide) + "\r\nQuickSearch=" + n(quick) +
               "\r\nEditor=\r\n";
    }
};

}  // namespace

class Form2Test : public FormFixture {
protected:
    QTemporaryDir user;
    Form2* help = nullptr;

    void SetUp() override {
        plat.applications = user.filePath("applications");
        plat.autostart = user.filePath("autostart");
    }
    Form2& open(const Cfg& c = {}) {
        writeFile("Brennomix.cfg", c.bytes());
        writeList("Brennomix", {"one\tone.exe", "two\ttwo.exe"});
        start();
        form->mnuHelp_Click();
        help = form->Settings();
        EXPECT_NE(help, nullptr);
        return *help;
    }
    QByteArray cfg() const { return readFile("Brennomix.cfg"); }
    void closed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void escapeOn(QWidget* w) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
        closed();
    }
};

TEST_F(Form2Test, OpensOutOfTheTopmostLayerAndEscapePutsTheMainWindowBack) {
    writeList("Brennomix", {"one\tone.exe"});
    start();
    ASSERT_TRUE(form->Model().modes().onTop);
    plat.calls.clear();
    int f1 = 112;
    form->Form_KeyUp(f1, 0);
    ASSERT_NE(form->Settings(), nullptr);
    EXPECT_TRUE(form->Settings()->isVisible());
    EXPECT_EQ(form->Settings()->windowTitle(), "Help");
    EXPECT_EQ(plat.callsStartingWith("setTopmost"), QStringList{"setTopmost|0"});
    escapeOn(form->Settings()->Combo1);
    EXPECT_EQ(form->Settings(), nullptr);
    EXPECT_EQ(plat.callsStartingWith("setTopmost"), (QStringList{"setTopmost|0", "setTopmost|1"}));
    // Every opening loads the window afresh.
    form->mnuHelp_Click();
    ASSERT_NE(form->Settings(), nullptr);
    EXPECT_EQ(form->Settings()->Text1->toPlainText().split("\n").size(),
              helptext::lines(helptext::version(), helptext::homepage()).size());
    escapeOn(form->Settings()->Text1);
    EXPECT_EQ(form->Settings(), nullptr);
}

TEST_F(Form2Test, LoadingShowsTheSettingsAndAppliesThemAgain) {
    Cfg c;
    c.window2Mouse = c.quick = c.page = 1;
    c.sidebar = 2;
    Form2& f = open(c);
    EXPECT_TRUE(f.Check2->isChecked());
    EXPECT_TRUE(f.Check5->isChecked());
    EXPECT_TRUE(f.Check6->isChecked());
    EXPECT_FALSE(f.Check3->isChecked() || f.Check4->isChecked() || f.Check7->isChecked());
    EXPECT_FALSE(f.Check1->isChecked());
    EXPECT_EQ(f.Combo1->currentText(), "Left");
    EXPECT_TRUE(form->SidebarShown());
    // Opening the window is no change: the file is as it was.
    EXPECT_EQ(cfg(), c.bytes());
    EXPECT_EQ(f.Command5->isEnabled(), !helptext::homepage().isEmpty());
}

// A settings file the program could not read keeps every byte, through
// opening the settings, changing one and Escape; the user is told once.
TEST_F(Form2Test, ASettingsFileThatCouldNotBeReadIsNeverWrittenOver) {
    Cfg c;
    c.window2Mouse = 1;
    // Too long for a settings file, for root as for anyone.
    const QByteArray oversized = c.bytes() + QByteArray(2 << 20, 'x');
    writeFile("Brennomix.cfg", oversized);
    writeList("Brennomix", {"one\tone.exe"});
    start();
    form->mnuHelp_Click();
    Form2* f = form->Settings();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(cfg(), oversized);
    f->Check4->click();
    f->Check5->click();
    escapeOn(f);
    EXPECT_EQ(cfg(), oversized);
    EXPECT_EQ(dlg.messages().size(), 1);

    // A pipe stays a pipe, never replaced by a file.
    const QByteArray fifo = QFile::encodeName(path("Brennomix.cfg"));
    ASSERT_EQ(::unlink(fifo.constData()), 0);
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    form->Load_Cfg();
    form->mnuHelp_Click();
    f = form->Settings();
    ASSERT_NE(f, nullptr);
    f->Check6->click();
    escapeOn(f);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dlg.messages().size(), 1);
}

TEST_F(Form2Test, EachCheckBoxSavesItsSettingAtOnce) {
    Form2& f = open();
    Cfg c;
    const std::pair<QCheckBox*, int Cfg::*> boxes[] = {
        {f.Check2, &Cfg::window2Mouse}, {f.Check3, &Cfg::hover}, {f.Check4, &Cfg::hide},
        {f.Check5, &Cfg::page},         {f.Check6, &Cfg::quick}, {f.Check7, &Cfg::autoHide}};
    for (const auto& [box, line] : boxes) {
        box->click();
        c.*line = 1;
        EXPECT_EQ(cfg(), c.bytes()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(form->Cfg().hoverSelectSaved);
    // Auto show/hide from here leaves the menu item and its timer alone.
    EXPECT_FALSE(form->Model().modes().autoShowHide);
    EXPECT_FALSE(control<QTimer>(*form, "Timer2")->isActive());
    f.Check3->click();
    c.hover = 0;
    EXPECT_EQ(cfg(), c.bytes());
    EXPECT_FALSE(form->Cfg().hoverSelect || form->Cfg().hoverSelectSaved);
}

TEST_F(Form2Test, HoverSelectShowsWhatIsInEffect) {
    Cfg c;
    c.hover = 1;
    writeFile("Brennomix.cfg", c.bytes());
    writeList("Brennomix", {"one\tone.exe"});
    start();
    form->Cfg().hoverSelect = false;  // as a long list leaves it
    form->mnuHelp_Click();
    EXPECT_FALSE(form->Settings()->Check3->isChecked());
    EXPECT_TRUE(form->Cfg().hoverSelectSaved);
}

TEST_F(Form2Test, PositionListShowsAndHidesTheSidebar) {
    Form2& f = open();
    Cfg c;
    EXPECT_EQ(cfg(), c.bytes());
    f.Combo1->setCurrentIndex(3);
    EXPECT_TRUE(form->SidebarShown());
    EXPECT_TRUE(control<QAction>(*form, "mnuSideBar")->isChecked());
    c.sidebar = 3;
    EXPECT_EQ(cfg(), c.bytes());
    f.Combo1->setCurrentIndex(0);
    EXPECT_FALSE(form->SidebarShown());
    EXPECT_FALSE(control<QAction>(*form, "mnuSideBar")->isChecked());
    c.sidebar = 0;
    EXPECT_EQ(cfg(), c.bytes());
    EXPECT_EQ(form->Cfg().sidebarPosition, 0);
}

TEST_F(Form2Test, HotkeyLetterIsStoredAndGrabbedAtOnce) {
    Form2& f = open();
    ASSERT_TRUE(form->Model().modes().resident);
    plat.calls.clear();
    dlg.inputs = {"a"};
    f.Command1->click();
    EXPECT_TRUE(dlg.shown.first().startsWith(
        "input||The letter you choose will activate Brennomix when it is resident in the system "
        "tray.\r\nSelect a letter so you can call the program quickly\r\nCancel removes "
        "HotKey!|K"));
    EXPECT_EQ(dlg.messages(), QStringList{"New shortcut (WindowsKey-a) set."});
    EXPECT_EQ(form->Cfg().hotkeyCode, 'A');
    Cfg c;
    c.hotkey = "A";
    EXPECT_EQ(cfg(), c.bytes());
    // Still resident, with the new letter in place of the old one.
    EXPECT_TRUE(form->Model().modes().resident);
    EXPECT_EQ(plat.callsStartingWith("grabHotkey"), QStringList{"grabHotkey|65"});
    EXPECT_EQ(plat.callsStartingWith("releaseHotkey").size(), 1);
    form->hide();
    emit plat.hotkeyPressed('A');
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Form2Test, HotkeyInputRefusesMoreThanOneCharacterOrOneWithNoKey) {
    Form2& f = open();
    const QByteArray before = cfg();
    plat.calls.clear();
    dlg.inputs = {"ab", QString::fromUtf8("\xe2\x82\xac")};
    f.Command1->click();
    f.Command1->click();
    ASSERT_EQ(dlg.messages().size(), 2);
    EXPECT_EQ(dlg.messages()[0], "Only one letter or number please.");
    EXPECT_TRUE(
        dlg.messages()[1].startsWith(QString::fromUtf8("There is no key for \"\xe2\x82\xac\"")));
    EXPECT_EQ(form->Cfg().hotkeyCode, 'K');
    EXPECT_EQ(cfg(), before);
    EXPECT_TRUE(plat.callsStartingWith("grabHotkey").isEmpty());
}

TEST_F(Form2Test, EmptyHotkeyClearsAndReleasesItCancelChangesNothing) {
    Form2& f = open();
    const QByteArray before = cfg();
    plat.calls.clear();
    dlg.inputs = {std::nullopt, QString("")};
    f.Command1->click();
    EXPECT_EQ(form->Cfg().hotkeyCode, 'K');
    EXPECT_EQ(cfg(), before);
    EXPECT_TRUE(plat.calls.isEmpty());

    f.Command1->click();
    EXPECT_EQ(form->Cfg().hotkeyCode, 0);
    Cfg c;
    c.hotkey = "";
    EXPECT_EQ(cfg(), c.bytes());
    EXPECT_EQ(plat.callsStartingWith("releaseHotkey").size(), 1);
    EXPECT_TRUE(dlg.messages().isEmpty());
    // Read back, the empty value is no hotkey.
    form->Load_Cfg();
    EXPECT_EQ(form->Cfg().hotkeyCode, 0);
}

TEST_F(Form2Test, HotkeyWhileNotResidentMakesTheProgramResident) {
    Form2& f = open();
    form->mnuTray_Click();
    ASSERT_FALSE(form->Model().modes().resident);
    dlg.inputs = {"7"};
    f.Command1->click();
    EXPECT_TRUE(form->Model().modes().resident);
    EXPECT_EQ(plat.callsStartingWith("grabHotkey").last(), "grabHotkey|55");
}

TEST_F(Form2Test, SearchFoldersAreAppendedEvenTwiceAndMakeTheIndexStale) {
    Form2& f = open();
    writeFile("FsSearch.txt", "old\told\t/old/\r\n");
    form->LoadFsIndex();
    form->Search().setFsIndexLoaded(true);
    dlg.fileNames = {"/srv/share", "/srv/share", ""};
    f.Command3->click();
    f.Command3->click();
    f.Command3->click();  // cancelled
    EXPECT_EQ(form->Cfg().fsSearchPaths, "Desktop;My Documents;Start Menu;/srv/share;/srv/share");
    Cfg c;
    c.paths = "Desktop;My Documents;Start Menu;/srv/share;/srv/share";
    EXPECT_EQ(cfg(), c.bytes());
    EXPECT_EQ(dlg.messages(), (QStringList{"'/srv/share' added.", "'/srv/share' added."}));
    // The next file-system search walks the folders, the new one included.
    EXPECT_FALSE(QFile::exists(path("FsSearch.txt")));
    EXPECT_FALSE(form->Search().fsIndexLoaded());
}

// The empty setting (the default folders) keeps them when one is added; a
// folder with ";" in its name would split the setting and is refused.
TEST_F(Form2Test, AnAddedSearchFolderKeepsTheDefaultsAndOneWithASemicolonIsRefused) {
    Cfg c;
    c.paths = "";
    Form2& f = open(c);
    dlg.fileNames = {"/srv/a;b", "/srv/share"};
    f.Command3->click();
    EXPECT_EQ(cfg(), c.bytes());
    EXPECT_EQ(dlg.messages().size(), 1);
    f.Command3->click();
    EXPECT_EQ(form->Cfg().fsSearchPaths, "Desktop;My Documents;Start Menu;/srv/share");
}

TEST_F(Form2Test, ManualEditOpensTheEditorThenReloadsAndCloses) {
    Form2& f = open();
    // The user's edit, saved while the message waits.
    Cfg edited;
    edited.quick = 1;
    edited.hotkey = "Z";
    writeFile("Brennomix.cfg", edited.bytes());
    f.Command4->click();
    closed();
    const QStringList starts = plat.callsStartingWith("startCommandLine");
    ASSERT_EQ(starts.size(), 1);
    const QString line = starts[0].section('|', 1, 1);
    EXPECT_EQ(commandline::split(line), (QStringList{"notepad", path("Brennomix.cfg")}));
    EXPECT_EQ(dlg.messages(), QStringList{"Press OK after you save and close the configuration, "
                                          "so it can be reloaded."});
    EXPECT_TRUE(form->Cfg().quickSearch);
    EXPECT_EQ(form->Cfg().hotkeyCode, 'Z');
    EXPECT_EQ(form->Settings(), nullptr);
}

TEST_F(Form2Test, StartAtLoginWritesAndRemovesOnlyItsEntry) {
    QDir().mkpath(plat.autostart);
    QFile other(plat.autostart + "/other.desktop");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[Desktop Entry]\n");
    other.close();
    plat.program = "/opt/My Tools/brennomix";
    Form2& f = open();
    EXPECT_FALSE(f.Check1->isChecked());
    f.Check1->click();
    QFile entry(plat.autostart + "/Brennomix.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("\nExec=\"/opt/My Tools/brennomix\" /resident\n"));
    entry.close();
    // Shown checked when opened again; loading writes nothing.
    escapeOn(f.Check1);
    plat.calls.clear();
    form->mnuHelp_Click();
    EXPECT_TRUE(form->Settings()->Check1->isChecked());
    EXPECT_TRUE(plat.callsStartingWith("writeUserFile").isEmpty());
    form->Settings()->Check1->click();
    EXPECT_FALSE(QFile::exists(plat.autostart + "/Brennomix.desktop"));
    EXPECT_EQ(QDir(plat.autostart).entryList(QDir::Files), QStringList{"other.desktop"});
    // Unchecking with no entry does nothing.
    form->Settings()->Check1->click();
    plat.calls.clear();
    QFile::remove(plat.autostart + "/Brennomix.desktop");
    form->Settings()->Check1->click();
    EXPECT_TRUE(plat.callsStartingWith("removeUserFile").isEmpty());
    EXPECT_TRUE(dlg.messages().isEmpty());
}

// The settings window needs no main window: what it changes reaches the
// launcher only through the settings host.
class RecordingHost : public SettingsHost {
public:
    Config cfg;
    QString folder;
    QStringList calls;
    Config& Cfg() override { return cfg; }
    const QString& AppPath() const override { return folder; }
    void Load_Cfg() override { calls << "Load_Cfg"; }
    void Write_Cfg() override { calls << "Write_Cfg"; }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    void SetResident(bool on) override { calls << (on ? "SetResident 1" : "SetResident 0"); }
    void GrabHotkey() override { calls << "GrabHotkey"; }
    void sidebarSet() override { calls << "sidebarSet"; }
    void HideSidebar() override { calls << "HideSidebar"; }
    void sCut() override { calls << "sCut"; }
    QString EntryProgram() override { return "brennomix"; }
    void FsIndexStale() override { calls << "FsIndexStale"; }
    void SettingsClosed() override { calls << "SettingsClosed"; }
};

TEST(Form2Host, SettingsReachTheLauncherThroughTheHostAlone) {
    FakePlatform plat;
    FakeDialogs dlg;
    RecordingHost host;
    host.cfg.sidebarPosition = 1;
    auto* f = new Form2(host, plat, dlg);
    f->Form_Load();
    // Filling the boxes in places the sidebar and writes nothing.
    EXPECT_EQ(f->Combo1->currentIndex(), 1);
    EXPECT_EQ(host.calls, QStringList{"sidebarSet"});
    host.calls.clear();

    f->Combo1->setCurrentIndex(0);
    f->Combo1->setCurrentIndex(3);
    EXPECT_EQ(host.cfg.sidebarPosition, 3);
    dlg.inputs = {QString("j")};
    f->Command1_Click();
    EXPECT_EQ(host.cfg.hotkeyCode, 'J');
    f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(host.calls,
              (QStringList{"HideSidebar", "Write_Cfg", "sidebarSet", "Write_Cfg", "Write_Cfg",
                           "SetResident 1", "GrabHotkey", "SettingsClosed"}));
}
