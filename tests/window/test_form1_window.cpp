#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "form1hooks.h"
#include "formfixture.h"
#include "waitfor.h"

namespace {

struct Settings {
    bool window2Mouse = false;
    bool hover = false;
    bool autoHide = false;
};

QByteArray cfg(const Settings& s) {
    auto flag = [](const char* key, bool on) {
        return QByteArray(key) + (on ? "1" : "0") + "\r\n";
    };
    return "Desktop;My Documents;Start Menu\r\nHotkey=K\r\n" +
           flag("Window2mouse=", s.window2Mouse) + flag("Hover select=", s.hover) +
           flag("Hide when recalled=", false) + flag("Use page up/down as arrows=", false) +
           "SideBar=0\r\n" + flag("Auto Show/Hide=", s.autoHide) + flag("QuickSearch=", false) +
           "Editor=\r\n";
}

QStringList entries(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i) out << QStringLiteral("e%1\te%1.exe").arg(i);
    return out;
}

}  // namespace

class WindowTest : public FormFixture {
protected:
    Form1& startWith(const Settings& s, int rows = 3) {
        writeFile("Brennomix.cfg", cfg(s));
        writeList("Brennomix", entries(rows));
        return start();
    }
    // 144 dots per inch: 10 twips a pixel, so twips rules land on whole pixels.
    void tenTwipsAPixel() { plat.dpiX = plat.dpiY = 144; }
    int workRight() const { return Form1Hooks::workArea(*form).right(); }
    int workBottom() const { return Form1Hooks::workArea(*form).bottom(); }
    void moveOverList(int yPixels) {
        QWidget* vp = control<ListView>(*form, "List1")->viewport();
        QMouseEvent move(QEvent::MouseMove, QPointF(20, yPixels),
                         vp->mapToGlobal(QPointF(20, yPixels)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
    }
};

TEST_F(WindowTest, StartsInTheBottomRightCornerOfTheWorkArea) {
    startWith({});
    EXPECT_EQ(form->Left() + form->Width(), workRight());
    EXPECT_EQ(form->Top() + form->Height(), workBottom());
    EXPECT_EQ(form->Width(), 4650);
}

// The window manager frames the window only after it is shown; a window
// placed without knowing the frame would stick out past the corner.
TEST_F(WindowTest, FrameThatArrivesLaterKeepsTheWindowInTheCorner) {
    startWith({});
    plat.frame = QMargins(1, 20, 1, 5);
    emit plat.windowFrameChanged(form.get());
    EXPECT_EQ(form->Left() + form->Width(), workRight());
    EXPECT_EQ(form->Top() + form->Height(), workBottom());
    EXPECT_EQ(form->geometry().right() + 1 + 1, 1280);
    EXPECT_EQ(form->geometry().bottom() + 1 + 5, 994);
    // The client area keeps its fitted height; the frame comes on top.
    EXPECT_EQ(form->ScaleHeight(), 3390 - 25 * 15);
    EXPECT_EQ(form->Height(), 3390);
    // Later placements count the frame.
    QString top = "Brennomix";
    writeList("Brennomix", entries(20));
    form->LoadList(top);
    EXPECT_EQ(form->Top() + form->Height(), workBottom());
    EXPECT_EQ(form->ScaleHeight(), 20 * 240 + 585);
}

// Hidden in the tray, the window is fitted to the top list again; the
// minimum size applies before it is put on the bottom edge, so the next
// show finds it in the corner.
TEST_F(WindowTest, HiddenWindowIsRefittedInTheCorner) {
    writeList("mlong", entries(30));
    startWith({}, 3);
    plat.frame = QMargins(1, 20, 1, 5);
    emit plat.windowFrameChanged(form.get());
    QString name = "mlong";
    form->LoadList(name);
    form->close();
    ASSERT_FALSE(form->isVisible());
    EXPECT_EQ(form->Height(), 3390);
    EXPECT_EQ(form->Top() + form->Height(), workBottom());
    form->myShowWin();
    EXPECT_EQ(form->Top() + form->Height(), workBottom());
    EXPECT_EQ(form->Left() + form->Width(), workRight());
}

// A busy window manager reports an earlier request after a newer one was
// made; the rules keep to the newest request and ask for nothing on the
// strength of the old report.
TEST_F(WindowTest, LateReportOfAnEarlierRequestChangesNothing) {
    startWith({});
    Form1Hooks::setReadiness(*form, 0);  // the corner rule in force
    const QRect before = form->geometry();
    form->SetWidth(6000);
    const QRect asked = form->geometry();
    ASSERT_NE(asked.size(), before.size());
    form->setGeometry(before);  // the old report arrives
    EXPECT_EQ(form->Width(), 6000);
    EXPECT_EQ(form->Left() + form->Width(), workRight());
    form->setGeometry(asked);  // and then the newest
    EXPECT_EQ(form->geometry(), asked);
    EXPECT_EQ(form->Width(), 6000);
    // Something else moving the window is taken as it is.
    form->setGeometry(asked.translated(-40, 0));
    EXPECT_EQ(form->Left() + form->Width(), workRight() - 600);
    // So is a report that comes long after its request.
    form->SetLeft(0);
    plat.uptime += 5000;
    form->setGeometry(asked);
    EXPECT_EQ(form->Left() + form->Width(), workRight());
}

TEST_F(WindowTest, FrameOfAWindowUnderThePointerStaysInside) {
    tenTwipsAPixel();
    startWith({.window2Mouse = true});
    form->hide();
    plat.cursor = {1279, 10};
    form->myShowWin();
    EXPECT_EQ(form->Left() + form->Width(), workRight() - 10);
    plat.frame = QMargins(4, 24, 4, 4);
    emit plat.windowFrameChanged(form.get());
    EXPECT_EQ(form->Left() + form->Width(), workRight() - 10);
    EXPECT_EQ(form->Top(), 10);
    // In pixels: the frame's right edge one pixel inside, its top one below.
    EXPECT_EQ(form->geometry().right() + 1 + 4, 1280 - 1);
    EXPECT_EQ(form->geometry().top() - 24, 1);
}

TEST_F(WindowTest, ShowWinUnderThePointerWithTheFocusInTheList) {
    tenTwipsAPixel();
    startWith({.window2Mouse = true});
    form->hide();
    plat.calls.clear();
    plat.cursor = {0, 0};
    form->myShowWin();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Left(), 10);
    EXPECT_EQ(form->Top(), 10);
    EXPECT_TRUE(plat.calls.contains("activateWindow"));
    EXPECT_TRUE(waitFor([this] { return control<ListView>(*form, "List1")->hasFocus(); }));
}

TEST_F(WindowTest, SecondMonitorAtNegativeX) {
    plat.work = QRect(-1920, 0, 1920, 1050);
    tenTwipsAPixel();
    plat.cursor = {-1900, 1040};
    startWith({.window2Mouse = true});
    EXPECT_EQ(Form1Hooks::workArea(*form).left, -19200);
    form->hide();
    form->myShowWin();
    // 10 twips inside the left edge, 30 above the bottom.
    EXPECT_EQ(form->Left(), Form1Hooks::workArea(*form).left + 10);
    EXPECT_EQ(form->Top() + form->Height(), workBottom() - 30);
    EXPECT_LT(form->geometry().x(), -1900);
}

TEST_F(WindowTest, WithoutWindow2MouseTheWindowStaysWhereItStood) {
    startWith({});
    form->hide();
    form->SetLeft(3000);
    plat.cursor = {5, 5};
    form->myShowWin();
    EXPECT_EQ(form->Left(), 3000);
    EXPECT_EQ(form->Top() + form->Height(), workBottom());
}

TEST_F(WindowTest, LongListFillsTheWorkAreaAndStopsHoverSelection) {
    writeList("mlong", entries(200));
    writeList("mshort", entries(14));
    startWith({.hover = true});
    EXPECT_TRUE(form->Cfg().hoverSelect);
    EXPECT_TRUE(control<DigitColumn>(*form, "Label2")->isVisible());

    QString name = "mlong";
    form->LoadList(name);
    EXPECT_EQ(form->Height(), Form1Hooks::workArea(*form).height);
    EXPECT_EQ(form->Top(), Form1Hooks::workArea(*form).top);
    EXPECT_FALSE(control<DigitColumn>(*form, "Label2")->isVisible());
    EXPECT_EQ(control<ListView>(*form, "List1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(form->Cfg().hoverSelect);

    // A list that fits: the rows rule, and hover selection comes back.
    name = "mshort";
    form->LoadList(name);
    EXPECT_EQ(form->ScaleHeight(), 14 * 240 + 585);
    EXPECT_TRUE(control<DigitColumn>(*form, "Label2")->isVisible());
    EXPECT_EQ(control<ListView>(*form, "List1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(form->Cfg().hoverSelect);
}

TEST_F(WindowTest, HoverSelectionReturnsOnlyWhenConfigured) {
    writeList("mlong", entries(200));
    startWith({.hover = false});
    QString name = "mlong";
    form->LoadList(name);
    name = "Brennomix";
    form->LoadList(name);
    EXPECT_FALSE(form->Cfg().hoverSelect);
}

TEST_F(WindowTest, HoverSelectsTheRowUnderThePointer) {
    startWith({.hover = true}, 5);
    const int row = control<ListView>(*form, "List1")->RowHeight();
    moveOverList(2 * row + row / 2);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 3);
    moveOverList(1);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
    // Below the last entry nothing changes.
    moveOverList(7 * row);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
    // Not while the column headers are shown.
    control<ListView>(*form, "List1")->SetHideColumnHeaders(false);
    moveOverList(3 * row + 2);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
}

TEST_F(WindowTest, HoverSelectionOffSelectsNothing) {
    startWith({.hover = false}, 5);
    control<ListView>(*form, "List1")->SetSelected(1, true);
    moveOverList(3 * control<ListView>(*form, "List1")->RowHeight() + 2);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
}

TEST_F(WindowTest, MovingOverTheWindowActivatesIt) {
    startWith({});
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(waitFor([this] { return !form->isActiveWindow(); }));
    Form1Hooks::setHiddenFromTray(*form, true);
    plat.calls.clear();
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), form->mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &move);
    EXPECT_EQ(plat.calls, QStringList{"activateWindow"});
    EXPECT_FALSE(Form1Hooks::hiddenFromTray(*form));
    EXPECT_TRUE(waitFor([this] { return form->isActiveWindow(); }));
}

TEST_F(WindowTest, ForceForegroundLeavesATrayHiddenWindowHidden) {
    startWith({});
    form->t_MouseUp(1);
    ASSERT_FALSE(form->isVisible());
    EXPECT_TRUE(Form1Hooks::hiddenFromTray(*form));
    EXPECT_FALSE(form->ForceForeground());
    EXPECT_FALSE(form->isVisible());
    // A moving pointer over a hidden window clears nothing.
    form->Form_MouseMove(0, 0, 10, 10);
    EXPECT_TRUE(Form1Hooks::hiddenFromTray(*form));
    // Without the tray's hiding, it is shown.
    Form1Hooks::setHiddenFromTray(*form, false);
    form->ForceForeground();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(WindowTest, ForceForegroundRestoresAMinimisedWindow) {
    startWith({});
    form->showMinimized();
    form->ForceForeground();
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(WindowTest, AutoHideHidesWhenThePointerLeavesTheWindow) {
    writeList("mtools", entries(2));
    startWith({.autoHide = true});
    EXPECT_TRUE(control<QTimer>(*form, "Timer2")->isActive());
    EXPECT_EQ(control<QTimer>(*form, "Timer2")->interval(), 500);
    QString name = "mtools";
    form->LoadList(name);
    // LoadList put the pointer on the window: it stays.
    EXPECT_EQ(plat.cursor, QPoint(form->TwipsToPixels(form->Left() + form->Width() / 2, false),
                                  form->TwipsToPixels(form->Top(), true) + 60));
    form->Timer2_Timer();
    EXPECT_TRUE(form->isVisible());
    // The edges count as inside.
    plat.cursor = {form->TwipsToPixels(form->Left(), false),
                   form->TwipsToPixels(form->Top() + form->Height(), true)};
    form->Timer2_Timer();
    EXPECT_TRUE(form->isVisible());
    plat.cursor -= QPoint(1, 0);
    form->Timer2_Timer();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Ended());
    EXPECT_FALSE(control<QTimer>(*form, "Timer2")->isActive());
    // Hiding in the tray went back to the top list.
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
}

TEST_F(WindowTest, AutoHideStopsItselfWhenNotResident) {
    startWith({.autoHide = true});
    form->mnuTray_Click();
    plat.cursor = {0, 0};
    form->Timer2_Timer();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(control<QTimer>(*form, "Timer2")->isActive());
}

TEST_F(WindowTest, AutoHideMenuSwitchesAndSavesTheSetting) {
    startWith({});
    control<QAction>(*form, "mnuAutoHide")->trigger();
    EXPECT_TRUE(form->Model().modes().autoShowHide);
    EXPECT_TRUE(form->Cfg().autoShowHide);
    EXPECT_TRUE(control<QTimer>(*form, "Timer2")->isActive());
    EXPECT_TRUE(readFile("Brennomix.cfg").contains("\r\nAuto Show/Hide=1\r\n"));
    control<QAction>(*form, "mnuAutoHide")->trigger();
    EXPECT_FALSE(form->Model().modes().autoShowHide);
    EXPECT_FALSE(control<QTimer>(*form, "Timer2")->isActive());
    EXPECT_TRUE(readFile("Brennomix.cfg").contains("\r\nAuto Show/Hide=0\r\n"));
}

TEST_F(WindowTest, MouseUpOnTheBackgroundStopsAutoHide) {
    startWith({.autoHide = true});
    Form1Hooks::setPressHandled(*form, true);
    QTest::mouseRelease(form.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, form->height() - 3));
    EXPECT_FALSE(control<QTimer>(*form, "Timer2")->isActive());
    EXPECT_FALSE(Form1Hooks::pressHandled(*form));
}

TEST_F(WindowTest, AlwaysOnTopSwitch) {
    startWith({});
    plat.calls.clear();
    control<QAction>(*form, "mnuOnTop")->trigger();
    EXPECT_FALSE(form->Model().modes().onTop);
    control<QAction>(*form, "mnuOnTop")->trigger();
    EXPECT_TRUE(form->Model().modes().onTop);
    EXPECT_EQ(plat.callsStartingWith("setTopmost"), (QStringList{"setTopmost|0", "setTopmost|1"}));
}

TEST_F(WindowTest, NewEntryGrowsALongListUpwards) {
    tenTwipsAPixel();
    startWith({}, 12);
    const int top = form->Top(), height = form->Height();
    form->GrowForNewEntry();
    EXPECT_EQ(form->Top(), top - 250);
    EXPECT_EQ(form->Height(), height + 250);
}

TEST_F(WindowTest, ResizeKeepsTheMinimumAndTheCorner) {
    startWith({});
    // Until the first tick the window keeps to the corner.
    Form1Hooks::setReadiness(*form, 0);
    form->SetHeight(1000);
    EXPECT_EQ(form->Height(), 3390);
    EXPECT_EQ(form->Top() + form->Height(), workBottom());
    form->SetWidth(2000);
    EXPECT_EQ(form->Width(), 4650);
    EXPECT_EQ(form->Left() + form->Width(), workRight());
    EXPECT_EQ(control<ListView>(*form, "List1")->width(), 285);  // 4270 twips
}

TEST_F(WindowTest, DigitsStayBesideTheirRowsWithTheColumnHeadersShown) {
    startWith({});
    auto rowTop = [&] {
        return control<ListView>(*form, "List1")
            ->viewport()
            ->mapTo(&*form, control<ListView>(*form, "List1")->RowRect(1).topLeft())
            .y();
    };
    auto digitTop = [&] {
        return control<DigitColumn>(*form, "Label2")
            ->mapTo(&*form, QPoint(0, control<DigitColumn>(*form, "Label2")->FirstRowOffset()))
            .y();
    };
    EXPECT_EQ(digitTop(), rowTop());
    const int before = rowTop();
    form->ToggleColumns();
    ASSERT_TRUE(waitFor([&] { return rowTop() > before; }));
    EXPECT_EQ(digitTop(), rowTop());
    // The "0" still has its row inside the column.
    EXPECT_GE(control<DigitColumn>(*form, "Label2")->height(),
              control<DigitColumn>(*form, "Label2")->FirstRowOffset() +
                  10 * control<ListView>(*form, "List1")->RowHeight());
    form->ToggleColumns();
    ASSERT_TRUE(waitFor([&] { return rowTop() == before; }));
    EXPECT_EQ(digitTop(), rowTop());
}

// A work area smaller than the smallest window (a small screen, or a strong
// scale factor) holds the whole window.
TEST_F(WindowTest, TheWindowNeverOutgrowsTheWorkArea) {
    plat.work = QRect(0, 0, 250, 180);
    startWith({}, 30);
    EXPECT_LE(form->Width(), Form1Hooks::workArea(*form).width);
    EXPECT_LE(form->Height(), Form1Hooks::workArea(*form).height);
    EXPECT_GE(form->Left(), 0);
    EXPECT_GE(form->Top(), 0);
}
