#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "formfixture.h"
#include "waitfor.h"
#include "window/sidebarstrip.h"

namespace {

QByteArray cfg(int sidebar, bool autoHide = false) {
    return "Desktop\r\nHotkey=K\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=0\r\n"
           "Use page up/down as arrows=0\r\nSideBar=" +
           QByteArray::number(sidebar) + "\r\nAuto Show/Hide=" + (autoHide ? "1" : "0") +
           "\r\nQuickSearch=0\r\nEditor=\r\n";
}

}  // namespace

TEST(SidebarStrip, FourEdgesOfTheWorkArea) {
    // A panel of 600 twips along the bottom, and one of 300 on the left.
    const QRect work(300, 0, 19200, 14760);
    EXPECT_EQ(sidebarstrip::place(1, work, {0, 0}), QRect(300, 0, 18000, 50));
    EXPECT_EQ(sidebarstrip::place(2, work, {0, 0}), QRect(0, 300, 50, 14460));
    EXPECT_EQ(sidebarstrip::place(3, work, {0, 0}), QRect(19450, 300, 50, 14460));
    EXPECT_EQ(sidebarstrip::place(4, work, {0, 0}), QRect(300, 14710, 18600, 50));
    EXPECT_FALSE(sidebarstrip::place(0, work, {0, 0}));
    EXPECT_FALSE(sidebarstrip::place(5, work, {0, 0}));
    // A panel at the top: the top strip lies over it, at the screen's edge.
    EXPECT_EQ(sidebarstrip::place(1, QRect(0, 450, 19200, 14910), {0, 0})->top(), 0);
}

TEST(SidebarStrip, SecondMonitorIsMeasuredFromItsOwnEdges) {
    const QRect work(19200, 0, 28800, 15600);
    const QPoint origin(19200, 0);
    EXPECT_EQ(sidebarstrip::place(1, work, origin), QRect(19500, 0, 27600, 50));
    EXPECT_EQ(sidebarstrip::place(2, work, origin), QRect(19200, 300, 50, 15300));
    EXPECT_EQ(sidebarstrip::place(3, work, origin), QRect(47950, 300, 50, 15300));
    EXPECT_EQ(sidebarstrip::place(4, work, origin), QRect(19500, 15550, 28200, 50));
}

class SidebarTest : public FormFixture {
protected:
    Form1& startWith(int sidebar, bool autoHide = false) {
        writeFile("Brennomix.cfg", cfg(sidebar, autoHide));
        writeList("Brennomix", {"one\tone.exe", "two\ttwo.exe"});
        // 10 twips a pixel: strips land on whole pixels.
        plat.dpiX = plat.dpiY = 144;
        return start();
    }
    QRect strip() const { return form->sidebar().geometry(); }
    void moveOnStrip() {
        Sidebar& s = form->sidebar();
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 20), s.mapToGlobal(QPointF(2, 20)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&s, &move);
    }
};

TEST_F(SidebarTest, ConfiguredPositionShowsTheStripAtStartUp) {
    plat.work = {0, 0, 1280, 994};
    startWith(2);
    EXPECT_TRUE(form->SidebarShown());
    EXPECT_TRUE(control<QAction>(*form, "mnuSideBar")->isChecked());
    EXPECT_EQ(strip(), QRect(0, 30, 5, 964));
    EXPECT_TRUE(form->sidebar().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->sidebar().windowFlags() & Qt::WindowDoesNotAcceptFocus);
}

TEST_F(SidebarTest, MenuItemTurnsTheRightEdgeOnAndEverythingOff) {
    startWith(0);
    EXPECT_FALSE(form->SidebarShown());
    form->mnuSideBar_Click();
    EXPECT_TRUE(form->SidebarShown());
    EXPECT_TRUE(control<QAction>(*form, "mnuSideBar")->isChecked());
    EXPECT_EQ(strip(), QRect(1275, 30, 5, 964));
    EXPECT_EQ(readFile("Brennomix.cfg"), cfg(3));
    form->mnuSideBar_Click();
    EXPECT_FALSE(form->SidebarShown());
    EXPECT_FALSE(control<QAction>(*form, "mnuSideBar")->isChecked());
    EXPECT_EQ(readFile("Brennomix.cfg"), cfg(0));
    // Turned on again it is the right edge, whatever it was before.
    form->Cfg().sidebarPosition = 1;
    form->mnuSideBar_Click();
    form->mnuSideBar_Click();
    form->mnuSideBar_Click();
    EXPECT_EQ(form->Cfg().sidebarPosition, 3);
    EXPECT_EQ(readFile("Brennomix.cfg"), cfg(3));
}

TEST_F(SidebarTest, ShowingTheWindowFollowsAMovedPanelAndAnotherScreen) {
    startWith(4);
    EXPECT_EQ(strip(), QRect(30, 989, 1220, 5));
    // The panel moved to the top, then the window went to a second screen.
    plat.work = {0, 40, 1280, 984};
    form->myShowWin();
    EXPECT_EQ(strip(), QRect(30, 1019, 1220, 5));
    plat.screen = {1280, 0, 1920, 1080};
    plat.work = {1280, 0, 1920, 1050};
    form->myShowWin();
    EXPECT_EQ(strip(), QRect(1310, 1045, 1860, 5));
}

TEST_F(SidebarTest, ClickTogglesTheMainWindow) {
    startWith(3);
    ASSERT_TRUE(form->isVisible());
    QTest::mouseClick(&form->sidebar(), Qt::LeftButton, {}, QPoint(2, 20));
    EXPECT_FALSE(form->isVisible());
    QTest::mouseClick(&form->sidebar(), Qt::RightButton, {}, QPoint(2, 20));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(SidebarTest, WithoutAutoShowHideMovesDoNothing) {
    startWith(3);
    form->hide();
    moveOnStrip();
    EXPECT_FALSE(form->sidebar().Arming());
    EXPECT_FALSE(control<QTimer>(*form, "Timer2")->isActive());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SidebarTest, RestingPointerArmsThenShowsTheWindowUnderIt) {
    startWith(3, true);
    control<QTimer>(*form, "Timer2")->stop();
    form->hide();
    plat.cursor = QPoint(1277, 500);  // on the strip
    plat.calls.clear();
    moveOnStrip();
    // The pause does not block: events run meanwhile.
    EXPECT_TRUE(form->sidebar().Arming());
    EXPECT_FALSE(form->isVisible());
    ASSERT_TRUE(waitFor([&] { return form->isVisible(); }));
    EXPECT_TRUE(control<QTimer>(*form, "Timer2")->isActive());
    const QStringList moved = plat.callsStartingWith("setCursorPos");
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved[0], QString("setCursorPos|%1|%2")
                            .arg(form->TwipsToPixels(form->Left() + form->Width() / 2, false))
                            .arg(form->TwipsToPixels(form->Top(), true) + 60));
}

TEST_F(SidebarTest, PointerThatOnlyCrossesTheStripShowsNothing) {
    startWith(3, true);
    control<QTimer>(*form, "Timer2")->stop();
    form->hide();
    plat.cursor = QPoint(1277, 500);
    moveOnStrip();
    plat.cursor = QPoint(900, 500);  // gone on
    ASSERT_TRUE(waitFor([&] { return !form->sidebar().Arming(); }));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(
        control<QTimer>(*form, "Timer2")->isActive());  // armed; it stops itself at its tick
}
