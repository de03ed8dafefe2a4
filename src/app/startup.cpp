#include <QApplication>
#include <QKeyEvent>

#include <stdexcept>

#include "app/form1.h"
#include "platform/platform.h"

// Start-up of the first copy. Any failure ends start-up at one exit: the
// caption "123" and a close request (before residency that ends the program).
void Form1::Form_Load() {
    try {
        SetListDirty(false);
        SetPriority(0);
        readiness_ = 0;

        // A second copy never gets this far: it relays its command line
        // before any window exists. The first tick comes as soon as the
        // event loop runs, right after the window is shown, so the first
        // rows are painted with the window's first frame.
        Timer1->start(0);
        hotkeyHooked_ = false;
        Search().setFsIndexLoaded(false);
        placeTwips(Label2, 20, 430, 150, 2375);
        List1->move(int(std::lround(200 / TwipsPerPixelX())),
                    int(std::lround(360 / TwipsPerPixelY())));
        List1->SetHideColumnHeaders(true);
        for (int c = 1; c <= ListModel::kColumns; ++c) List1->SetColumnWidth(c, c == 1 ? 3900 : 0);
        Search().setScanBusy(false);
        Search().setSearchShown(false);
        placeTwips(Text2, 200, 35, 4260, 300);
        placeTwips(myRun, 200, 35, 4260, 300);
        EditList->setToolTip(QStringLiteral("Right click to open list in notepad"));
        Find->setToolTip(QStringLiteral("Click to start FileSystem (FS) search"));
        setCaption(QStringLiteral("Brennomix Launcher"));
        Label2->setText(QStringLiteral("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n0"));
        plat_.setTopmost(this, true);
        SetListDirty(false);
        placeTwips(Label3, 45, 75, 615, 195);
        drawRunModes();
        Load_Cfg();
        readWorkArea();
        if (config_.window2Mouse) MoveWindowToMouse();
        RefreshOwnEntries();
        mnuTray_Click();
        if (cmd_.toUpper() == u"/QUIT") CloseRequest();
    } catch (const std::exception&) {
        setCaption(QStringLiteral("123"));
        CloseRequest();
    }
}

void Form1::Timer1_Timer() {
    if (startedUp_) {
        // The tick that ends the short key pause after the context menu.
        Timer1->stop();
        readiness_ = 1;
        return;
    }
    // The first tick finishes start-up, whatever the counter was set to
    // meanwhile.
    readiness_ = 1;
    if (isVisible()) List1->setFocus();
    Timer1->stop();
    // From now on the timer is the short key pause after the context menu.
    Timer1->setInterval(kKeyPauseMs);
    if (cmd_.toUpper() == u"/INSTALL") sCut();
    QString name = cmd_;
    LoadList(name);
    if (!model_.modes().resident || model_.modes().stayOpen) show();
    RunDigitSequence(cmd_);
    // Words relayed meanwhile act on the list start-up has loaded, rather
    // than being undone by it.
    startedUp_ = true;
    DeliverWords({});
    ActOnHeldKeys();
}

void Form1::ActOnHeldKeys() {
    for (const HeldKeys::Key& k : heldKeys_.take()) {
        if (Ended()) return;
        // Each key goes where the keyboard is now, as typing would: a letter
        // that opened the search box sends the next ones into it.
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != this) return;
        QKeyEvent e(k.press ? QEvent::KeyPress : QEvent::KeyRelease, k.key,
                    Qt::KeyboardModifiers(k.modifiers), k.text, k.autoRepeat);
        QApplication::sendEvent(target, &e);
    }
}

void Form1::Form_Unload(int& Cancel) {
    if (ListDirty() && !AskSaveList()) {
        // The changes could not be saved: keep them on screen.
        Cancel = 1;
        return;
    }
    if (model_.modes().resident) {
        if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
            setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        hide();
        SayHowToRecall();
        showRunBox(false);
        if (model_.modes().editMode) mnuOrder_Click();
        if (!model_.modes().stayOpen) {
            QString top = QStringLiteral("Brennomix");
            LoadList(top);
        }
        if (!List1->HideColumnHeaders()) ToggleColumns();
        Timer2->stop();
        SetWidth(4650);
        Cancel = 1;
    }
    if (Search().scanBusy() || Cancel == 1) Cancel = 1;
}

void Form1::CloseRequest() {
    if (ended_) return;
    int cancel = 0;
    Form_Unload(cancel);
    if (!cancel) EndProgram();
}

void Form1::EndProgram() {
    ended_ = true;
    Timer1->stop();
    Timer2->stop();
    plat_.releaseHotkey();
    // The icon must not outlive the process in the notification area.
    plat_.trayRemove();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    hide();
    emit programEnded();
}

void Form1::SetPriority(int vNewPriority) {
    Q_UNUSED(vNewPriority);
    plat_.raisePriority();
}

QString Form1::getVersion() {
    return plat_.osFamily();
}
