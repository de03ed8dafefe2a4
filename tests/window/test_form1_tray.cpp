#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "form1hooks.h"
#include "formfixture.h"
#include "settings/form2.h"
#include "waitfor.h"
#include "window/trayicon.h"

namespace {
QByteArray cfg(const char* hotkey, bool hideWhenRecalled = false) {
    return QByteArray("Desktop\r\nHotkey=") + hotkey + "\r\nWindow2mouse=0\r\nHover select=0\r\n" +
           "Hide when recalled=" + (hideWhenRecalled ? "1" : "0") + "\r\n";
}
}  // namespace

class TrayTest : public FormFixture {
protected:
    Form1& startWith(const char* hotkey, bool hideWhenRecalled = false, const QString& cmd = {}) {
        writeFile("Brennomix.cfg", cfg(hotkey, hideWhenRecalled));
        writeList("Brennomix", {"top\ttop.exe", "sub"});
        writeList("msub", {"inner\tinner.exe"});
        return start(cmd);
    }
};

TEST_F(TrayTest, StartUpMakesTheProgramResidentWithIconAndHotkey) {
    startWith("K");
    EXPECT_TRUE(form->Model().modes().resident);
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
    // Added, then modified by the start-time tip.
    EXPECT_NE(control<TrayIcon>(*form, "t")->State(), 0);
    EXPECT_EQ(plat.callsStartingWith("trayAdd"), QStringList{"trayAdd|"});
    EXPECT_EQ(plat.callsStartingWith("grabHotkey"), QStringList{"grabHotkey|75"});
    EXPECT_TRUE(Form1Hooks::hotkeyHooked(*form));
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(TrayTest, NoHotkeyLetterGrabsNothing) {
    startWith("");
    EXPECT_TRUE(form->Model().modes().resident);
    EXPECT_TRUE(plat.callsStartingWith("grabHotkey").isEmpty());
    EXPECT_FALSE(Form1Hooks::hotkeyHooked(*form));
    // A hotkey that arrives anyway is not listened to.
    form->hide();
    emit plat.hotkeyPressed(75);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(TrayTest, TakenHotkeyIsSaidAndResidencyStays) {
    plat.hotkeyResult = Platform::HotkeyResult::Taken;
    startWith("k");
    EXPECT_EQ(dlg.messages(),
              QStringList{"Hotkey (windows-K) already taken by another application"});
    EXPECT_TRUE(form->Model().modes().resident);
    EXPECT_TRUE(Form1Hooks::hotkeyHooked(*form));
}

TEST_F(TrayTest, LeavingResidencyKeepsTheHotkey) {
    startWith("K");
    form->mnuTray_Click();
    EXPECT_FALSE(form->Model().modes().resident);
    EXPECT_EQ(form->Model().modes().statusLetter(), "");
    EXPECT_TRUE(plat.calls.contains("trayRemove"));
    EXPECT_FALSE(plat.calls.contains("releaseHotkey"));
    // The hotkey still shows the window.
    form->hide();
    emit plat.hotkeyPressed(75);
    EXPECT_TRUE(form->isVisible());
    // Back to residency: a new icon, no second grab.
    form->mnuTray_Click();
    EXPECT_EQ(plat.callsStartingWith("trayAdd").size(), 2);
    EXPECT_EQ(plat.callsStartingWith("grabHotkey").size(), 1);
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
}

TEST_F(TrayTest, ResidencyMarkerReplacesStayOpen) {
    startWith("");
    form->mnuTray_Click();
    control<QLabel>(*form, "Label3")->setText("S");
    form->mnuTray_Click();
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
    form->mnuTray_Click();
    EXPECT_EQ(form->Model().modes().statusLetter(), "");
}

TEST_F(TrayTest, LeftClickOnTheIconHidesAndShowsWithoutReloading) {
    startWith("K");
    QString sub = "msub";
    form->LoadList(sub);
    emit plat.trayMouseDown(1);
    emit plat.trayMouseUp(1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(Form1Hooks::hiddenFromTray(*form));
    EXPECT_TRUE(form->Model().modes().resident);
    plat.calls.clear();
    emit plat.trayMouseUp(1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(plat.calls.contains("activateWindow"));
    EXPECT_EQ(form->windowTitle(), "Brennomix sub");
    EXPECT_TRUE(waitFor([this] { return control<ListView>(*form, "List1")->hasFocus(); }));
}

TEST_F(TrayTest, DoubleClickTogglesOnceForEachRelease) {
    startWith("K");
    emit plat.trayMouseDown(1);
    emit plat.trayMouseUp(1);
    emit plat.trayMouseDblClick(1);
    emit plat.trayMouseUp(1);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TrayTest, RightClickOpensTheDesktopMenuAtThePointer) {
    startWith("K");
    plat.cursor = {300, 200};
    QRect shownAt;
    bool leftClickIgnored = false;
    QTimer::singleShot(0, [&] {
        shownAt = control<QMenu>(*form, "menu2")->geometry();
        // While the menu is open, further clicks on the icon wait.
        emit plat.trayMouseUp(1);
        leftClickIgnored = form->isVisible();
        control<QMenu>(*form, "menu2")->close();
    });
    emit plat.trayMouseUp(2);
    EXPECT_EQ(shownAt.topLeft(), QPoint(300, 200));
    EXPECT_TRUE(leftClickIgnored);
    EXPECT_FALSE(control<QMenu>(*form, "menu2")->isVisible());
}

TEST_F(TrayTest, TheTrayMenuOpensTheSettingsAndQuits) {
    startWith("K");
    form->close();
    ASSERT_FALSE(form->isVisible());
    control<QAction>(*form, "mnuSettings")->trigger();
    ASSERT_NE(form->Settings(), nullptr);
    EXPECT_TRUE(form->Settings()->isVisible());
    form->Settings()->close();

    // Quit ends a resident program from a hidden window, icon and all.
    control<QAction>(*form, "mnuStay")->trigger();
    ASSERT_TRUE(form->Model().modes().stayOpen);
    plat.calls.clear();
    control<QAction>(*form, "mnuQuit")->trigger();
    EXPECT_TRUE(form->Ended());
    EXPECT_TRUE(plat.calls.contains("trayRemove"));
}

TEST_F(TrayTest, HotkeyShowsTheHiddenWindowWithTheFocusInTheList) {
    startWith("K");
    form->close();
    ASSERT_FALSE(form->isVisible());
    plat.calls.clear();
    emit plat.hotkeyPressed(75);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(plat.calls.contains("activateWindow"));
    EXPECT_TRUE(waitFor([this] { return control<ListView>(*form, "List1")->hasFocus(); }));
    // Without hideWhenRecalled a second press only brings it to the front.
    emit plat.hotkeyPressed(75);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TrayTest, HotkeyWithHideWhenRecalledAsksTheDispatcherToHide) {
    startWith("K", true);
    ASSERT_TRUE(form->isVisible());
    // A recall of the visible window hides it, as the word of a second copy.
    emit plat.hotkeyPressed(75);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Ended());
    // A hidden window is shown, whatever the setting.
    emit plat.hotkeyPressed(75);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TrayTest, ClosingWhileResidentHidesAndReloadsTheTopList) {
    startWith("K", false, "msub");
    EXPECT_EQ(form->windowTitle(), "Brennomix sub");
    form->SetWidth(9000);
    form->close();
    EXPECT_FALSE(form->Ended());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    EXPECT_EQ(titles(), (QStringList{"top", "sub"}));
    EXPECT_EQ(form->Width(), 4650);
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(TrayTest, ARecallShowsTheListAsAnotherProgramLeftIt) {
    startWith("K");
    form->close();
    ASSERT_FALSE(form->isVisible());
    writeList("Brennomix", {"synced\tsynced.exe", "top\ttop.exe", "sub"});
    emit plat.hotkeyPressed(75);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(titles(), (QStringList{"synced", "top", "sub"}));
    // A save from here keeps it.
    ASSERT_TRUE(form->SaveList());
    EXPECT_EQ(readFile("Brennomix.ini"),
              "synced\tsynced.exe\t\t\t\t\r\ntop\ttop.exe\t\t\t\t\r\nsub\t\t\t\t\t\r\n");
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(TrayTest, EndingReleasesTheHotkeyAndRemovesTheIcon) {
    startWith("K");
    form->mnuTray_Click();
    plat.calls.clear();
    form->close();
    EXPECT_TRUE(form->Ended());
    EXPECT_TRUE(plat.calls.contains("releaseHotkey"));
    EXPECT_TRUE(plat.calls.contains("trayRemove"));
}

TEST_F(TrayTest, MissingTrayIsSaidOnceAtTheFirstHide) {
    plat.tray = false;
    startWith("K");
    EXPECT_TRUE(dlg.shown.isEmpty());
    form->close();
    EXPECT_EQ(
        dlg.messages(),
        QStringList{"This desktop has no notification area, so Brennomix has no tray icon.\r\n"
                    "Brennomix keeps running hidden; press windows-K or start Brennomix "
                    "again to bring it back."});
    form->myShowWin();
    form->close();
    EXPECT_EQ(dlg.messages().size(), 1);
}

TEST_F(TrayTest, MissingHotkeyIsSaidOnceAtTheFirstHide) {
    plat.hotkeyResult = Platform::HotkeyResult::Unavailable;
    startWith("K");
    EXPECT_TRUE(dlg.shown.isEmpty());
    form->close();
    EXPECT_EQ(dlg.messages(),
              QStringList{"The hotkey (windows-K) cannot be used on this desktop.\r\n"
                          "Brennomix keeps running hidden; click its tray icon or start "
                          "Brennomix again to bring it back."});
}

TEST(TrayIconClass, StateAndTooltip) {
    FakePlatform plat;
    TrayIcon icon(plat);
    EXPECT_EQ(icon.State(), 0);
    EXPECT_EQ(icon.Tooltip(), "");
    icon.SetTooltip("Started 08:15");
    EXPECT_EQ(icon.Tooltip(), "Started 08:15");
    icon.Add();
    EXPECT_EQ(icon.State(), 1);
    icon.SetTooltip(QString(80, u'x'));
    icon.Modify();
    EXPECT_EQ(icon.State(), 2);
    icon.Remove();
    EXPECT_EQ(icon.State(), 0);
    // The record holds 63 characters and the NUL that ends them.
    EXPECT_EQ(plat.calls, (QStringList{"trayAdd|Started 08:15", "trayModify|" + QString(63, u'x'),
                                       "trayRemove"}));
}

TEST(TrayIconClass, EventsCarryTheButtonAndSkipOthers) {
    FakePlatform plat;
    TrayIcon icon(plat);
    QSignalSpy down(&icon, &TrayIcon::MouseDown), up(&icon, &TrayIcon::MouseUp),
        dbl(&icon, &TrayIcon::MouseDblClick);
    emit plat.trayMouseDown(2);
    emit plat.trayMouseUp(2);
    emit plat.trayMouseDblClick(1);
    emit plat.trayMouseUp(4);
    ASSERT_EQ(down.size(), 1);
    EXPECT_EQ(down[0][0].toInt(), 2);
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up[0][0].toInt(), 2);
    ASSERT_EQ(dbl.size(), 1);
    EXPECT_EQ(dbl[0][0].toInt(), 1);
}
