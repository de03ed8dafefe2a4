#include <QMenu>
#include <QTest>
#include <QTimer>

#include "formfixture.h"
#include "settings/form2.h"
#include "window/trayicon.h"

class DesktopTest : public FormFixture {
protected:
    Form1& startResident(bool resident = true) {
        writeFile("Brennomix.cfg", "Desktop\r\nHotkey=K\r\n");
        writeList("Brennomix", {"one\t/usr/bin/one", "two\ttwo.exe"});
        start(resident ? QString() : QString());
        if (!resident) form->mnuTray_Click();
        return *form;
    }
};

TEST_F(DesktopTest, DateLineAndStartTimeTips) {
    plat.uptime = 125 * 60000;
    startResident();
    form->UpdateDateAndStartTime();
    EXPECT_TRUE(control<QPushButton>(*form, "Browse")->toolTip().startsWith("System start time: "));
    EXPECT_TRUE(control<QPushButton>(*form, "Browse")->toolTip().endsWith(" (before 125 minutes)"));
    EXPECT_EQ(control<TrayIcon>(*form, "t")->Tooltip(),
              control<QPushButton>(*form, "Browse")->toolTip().section(" (before", 0, 0));
    EXPECT_TRUE(control<QLabel>(*form, "mDate")->text().contains("18"));
    EXPECT_EQ(control<QLabel>(*form, "mDate")->text(),
              control<QLabel>(*form, "mDate")->text().toUpper());
    // The whole line shows: below the list's rows, above the window's edge.
    EXPECT_GE(control<QLabel>(*form, "mDate")->height(),
              control<QLabel>(*form, "mDate")->fontMetrics().height());
    EXPECT_LE(control<QLabel>(*form, "mDate")->geometry().bottom(), form->rect().bottom());
    EXPECT_GE(
        control<QLabel>(*form, "mDate")->y(),
        control<ListView>(*form, "List1")->y() + control<ListView>(*form, "List1")->height() - 8);
    EXPECT_EQ(control<QLabel>(*form, "mDate")->width(), control<ListView>(*form, "List1")->width());
}

TEST_F(DesktopTest, NotResidentLeavesTheTrayAlone) {
    startResident(false);
    plat.calls.clear();
    form->UpdateDateAndStartTime();
    EXPECT_TRUE(plat.callsStartingWith("tray").isEmpty());
    EXPECT_FALSE(control<QPushButton>(*form, "Browse")->toolTip().isEmpty());
}

TEST_F(DesktopTest, IconsToggleAndHideWithMinimiseShowsThemAgain) {
    startResident();
    plat.calls.clear();
    form->mnuHideIcons_Click();
    form->mnuHideIcons_Click();
    form->mnuHideIcons_Click();
    form->mnuHideMinimize_Click();
    form->mnuMinimize_Click();
    EXPECT_EQ(plat.calls, (QStringList{"setDesktopIconsShown|0", "setDesktopIconsShown|1",
                                       "setDesktopIconsShown|0", "setDesktopIconsShown|1",
                                       "showDesktop", "showDesktop"}));
}

TEST_F(DesktopTest, ShowDesktopWordHidesIconsAndMinimises) {
    startResident();
    plat.calls.clear();
    form->DeliverWords({"aa", "/showdesktop"});
    EXPECT_EQ(plat.callsStartingWith("s").filter("esktop"),
              (QStringList{"setDesktopIconsShown|0", "showDesktop"}));
}

TEST_F(DesktopTest, LockThatFailsIsSaid) {
    startResident();
    form->mnuLock_Click();
    EXPECT_TRUE(dlg.messages().isEmpty());
    plat.lockResult = false;
    form->DeliverWords({"aa", "/lock"});
    EXPECT_EQ(plat.callsStartingWith("lockSession").size(), 2);
    EXPECT_EQ(dlg.messages(), QStringList{"The session could not be locked."});
}

TEST_F(DesktopTest, HelpButtonRules) {
    startResident();
    control<QTimer>(*form, "Timer2")->start();
    plat.calls.clear();
    form->myHelp_MouseUp(4, 0, 0, 0);  // middle: only the auto-hide timer stops
    EXPECT_FALSE(control<QTimer>(*form, "Timer2")->isActive());
    EXPECT_EQ(form->Settings(), nullptr);
    EXPECT_TRUE(plat.calls.isEmpty());
    EXPECT_TRUE(dlg.shown.isEmpty());
    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->myHelp_MouseUp(2, 0, 0, 0);  // right: copies the entry
    EXPECT_EQ(plat.clipboard, "/usr/bin/one");
    EXPECT_EQ(form->Settings(), nullptr);
    QTest::mouseClick(control<QPushButton>(*form, "myHelp"), Qt::LeftButton);
    ASSERT_NE(form->Settings(), nullptr);
    EXPECT_TRUE(form->Settings()->isVisible());
}

TEST_F(DesktopTest, StatusLetterAndTopButtonClicks) {
    startResident();
    form->Label3_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(control<QLabel>(*form, "Label3")->text(), "S");
    EXPECT_TRUE(form->Model().modes().stayOpen);
    form->Label3_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(control<QLabel>(*form, "Label3")->text(), "R");
    form->Label3_MouseUp(2, 0, 0, 0);  // any other button: residency off
    EXPECT_FALSE(form->Model().modes().resident);
    EXPECT_EQ(control<QLabel>(*form, "Label3")->text(), "");
}

// Right-clicks on the button strip act as each button has it, and none of
// them also opens the context menu.
TEST_F(DesktopTest, RightClicksOnTheButtonStrip) {
    startResident();
    form->activateWindow();
    control<ListView>(*form, "List1")->SetSelected(1, true);
    int contextMenus = 0;
    QObject::connect(control<QMenu>(*form, "menu1"), &QMenu::aboutToShow, [&] { ++contextMenus; });
    bool desktopMenu = false;
    QObject::connect(control<QMenu>(*form, "menu2"), &QMenu::aboutToShow, [&] {
        desktopMenu = true;
        QTimer::singleShot(0, control<QMenu>(*form, "menu2"), &QMenu::close);
    });
    // Any menu that does open is closed again, so nothing waits on it.
    QObject::connect(control<QMenu>(*form, "menu1"), &QMenu::aboutToShow, [this] {
        QTimer::singleShot(0, control<QMenu>(*form, "menu1"), &QMenu::close);
    });

    QTest::mouseClick(control<QPushButton>(*form, "myHelp"), Qt::RightButton);
    EXPECT_EQ(plat.clipboard, "/usr/bin/one");
    EXPECT_EQ(form->Settings(), nullptr);
    QTest::mouseClick(control<QPushButton>(*form, "Parent"), Qt::RightButton);
    EXPECT_TRUE(desktopMenu);
    const bool statusShown = !control<QLabel>(*form, "Label3")->isHidden();
    QTest::mouseClick(control<QPushButton>(*form, "Browse"), Qt::RightButton);
    EXPECT_EQ(control<QLabel>(*form, "Label3")->isHidden(), statusShown);
    QTest::mouseClick(control<QPushButton>(*form, "Find"), Qt::RightButton);
    EXPECT_FALSE(control<QLineEdit>(*form, "Text2")->isHidden());
    QTest::mouseClick(control<QPushButton>(*form, "Find"), Qt::MiddleButton);
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_EQ(contextMenus, 0);
    // The window background still opens it.
    QTest::mouseClick(form.get(), Qt::RightButton, {}, QPoint(2, form->height() - 2));
    EXPECT_EQ(contextMenus, 1);
}
