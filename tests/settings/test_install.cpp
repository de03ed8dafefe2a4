#include <QDir>
#include <QFile>

#include "formfixture.h"
#include "settings/form2.h"

namespace {
const char* const kPrompt =
    "You have chosen the /install option.\r\nThis will place a shortcut to your Programs Folder "
    "in the Start menu.\r\nSelect a keyboard shortcut so you can call the program "
    "quickly\r\nexamples:\r\nCTRL+ALT+A, CTRL+A, CTRL+SHIFT+A, ALT+A.";
}

class InstallTest : public FormFixture {
protected:
    QTemporaryDir user;

    void SetUp() override {
        plat.applications = user.filePath("applications");
        plat.autostart = user.filePath("autostart");
        writeList("Brennomix", {"one\tone.exe"});
        writeFile("Brennomix.cfg", "Desktop\r\nHotkey=K\r\n");
    }
    // The installed entry's name, so the user's entry overrides it.
    QString entryPath() const { return plat.applications + "/brennomix.desktop"; }
    QByteArray entry() const {
        QFile f(entryPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(InstallTest, InstallWritesTheMenuEntryWithTheKeyInUpperCase) {
    dlg.inputs = {"ctrl+alt+a"};
    start("/Install");
    EXPECT_EQ(dlg.shown.first(), QString("input||") + kPrompt + "|CTRL+ALT+A");
    EXPECT_EQ(dlg.messages(), QStringList{"Shortcut created"});
    const QByteArray text = entry();
    EXPECT_TRUE(text.contains("\nExec=/opt/brennomix/brennomix\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nX-Brennomix-Shortcut=CTRL+ALT+A\n"));
    // It keeps the installed entry's actions.
    EXPECT_TRUE(
        text.contains("\n[Desktop Action Quit]\nName=Quit\nExec=/opt/brennomix/brennomix /quit"));
    EXPECT_EQ(plat.callsStartingWith("grabKeyCombination"),
              QStringList{"grabKeyCombination|CTRL+ALT+A"});
    // Nothing else was written into the folder.
    EXPECT_EQ(QDir(plat.applications).entryList(QDir::Files), QStringList{"brennomix.desktop"});
    // The shortcut recalls the hidden window.
    form->hide();
    emit plat.keyCombinationPressed();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(InstallTest, TheEntryOfAnEarlierVersionMakesWayAndItsShortcutIsKept) {
    QDir().mkpath(plat.applications);
    QFile old(plat.applications + "/Brennomix.desktop");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[Desktop Entry]\nName=Brennomix\nExec=/old/brennomix\nX-Brennomix-Shortcut=ALT+B\n");
    old.close();
    start();
    EXPECT_EQ(plat.callsStartingWith("grabKeyCombination"),
              QStringList{"grabKeyCombination|ALT+B"});
    // Installed, the program is named as the installed entry names it.
    plat.programs["brennomix"] = plat.program;
    dlg.inputs = {"ctrl+alt+a"};
    form->sCut();
    EXPECT_TRUE(entry().contains("\nExec=brennomix\n")) << entry().constData();
    EXPECT_EQ(QDir(plat.applications).entryList(QDir::Files), QStringList{"brennomix.desktop"});
}

TEST_F(InstallTest, EntriesWhoseProgramIsGoneAreWrittenAgainForThisCopy) {
    QDir().mkpath(plat.applications);
    QDir().mkpath(plat.autostart);
    auto write = [](const QString& path, const QByteArray& text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write(entryPath(),
          "[Desktop Entry]\nName=Brennomix\nExec=/gone/build/brennomix\n"
          "X-Brennomix-Shortcut=ALT+B\n");
    write(plat.autostart + "/Brennomix.desktop",
          "[Desktop Entry]\nName=Brennomix\nExec=/gone/build/brennomix /resident\n");
    // The user's own entry of another name is none of the launcher's business.
    write(plat.applications + "/mine.desktop", "[Desktop Entry]\nExec=/gone/tool\n");
    start();
    EXPECT_TRUE(entry().contains("\nExec=/opt/brennomix/brennomix\n")) << entry().constData();
    EXPECT_TRUE(entry().contains("\nX-Brennomix-Shortcut=ALT+B\n"));
    QFile autostart(plat.autostart + "/Brennomix.desktop");
    ASSERT_TRUE(autostart.open(QIODevice::ReadOnly));
    EXPECT_TRUE(autostart.readAll().contains("\nExec=/opt/brennomix/brennomix /resident\n"));
    // An entry whose program is there stays as it is.
    write(entryPath(),
          "[Desktop Entry]\nName=Brennomix\nExec=brennomix\nX-Brennomix-Shortcut=ALT+C\n");
    start();
    EXPECT_TRUE(entry().contains("\nExec=brennomix\nX-Brennomix-Shortcut=ALT+C\n"));
}

TEST_F(InstallTest, CancelWritesAndShowsNothing) {
    start("/install");
    EXPECT_EQ(dlg.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_TRUE(plat.callsStartingWith("grabKeyCombination").isEmpty());
}

TEST_F(InstallTest, InstallWithOtherWordsDoesNotAsk) {
    start("/install now");
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(InstallTest, TextThatIsNoShortcutIsRefusedAndNothingWritten) {
    dlg.inputs = {"CTRL+", "foo"};
    start("/install");
    start("/install");
    ASSERT_EQ(dlg.messages().size(), 2);
    EXPECT_TRUE(dlg.messages()[0].startsWith("\"CTRL+\" is not a keyboard shortcut."));
    EXPECT_TRUE(dlg.messages()[1].startsWith("\"FOO\" is not a keyboard shortcut."));
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_TRUE(plat.callsStartingWith("grabKeyCombination").isEmpty());
}

TEST_F(InstallTest, TakenShortcutIsSaidAndNothingWritten) {
    plat.combinationResult = Platform::HotkeyResult::Taken;
    dlg.inputs = {"ALT+A"};
    start("/install");
    EXPECT_EQ(dlg.messages(), QStringList{"Shortcut (ALT+A) already taken by another application"});
    EXPECT_FALSE(QFile::exists(entryPath()));
}

TEST_F(InstallTest, FromTheSettingsWindowTheLastShortcutWinsAndIsGrabbedNextStart) {
    start();
    form->mnuHelp_Click();
    dlg.inputs = {"CTRL+A", "ctrl+shift+f5"};
    form->Settings()->Command2->click();
    form->Settings()->Command2->click();
    EXPECT_EQ(dlg.messages(), (QStringList{"Shortcut created", "Shortcut created"}));
    EXPECT_TRUE(entry().contains("\nX-Brennomix-Shortcut=CTRL+SHIFT+F5\n"));
    EXPECT_FALSE(entry().contains("CTRL+A"));
    // The next run grabs the entry's shortcut when it becomes resident.
    plat.calls.clear();
    start();
    EXPECT_EQ(plat.callsStartingWith("grabKeyCombination"),
              QStringList{"grabKeyCombination|CTRL+SHIFT+F5"});
    form->hide();
    emit plat.keyCombinationPressed();
    EXPECT_TRUE(form->isVisible());
}
