#include <QLocale>

#include "app/form1.h"
#include "desktop/starttime.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "window/trayicon.h"

void Form1::UpdateDateAndStartTime() {
    PlaceDateLine();
    const starttime::Texts texts =
        starttime::texts(plat_.currentDateTime(), plat_.uptimeMs(), QLocale::system());
    Browse->setToolTip(texts.browseTip);
    mDate->setText(texts.dateLine);
    if (model_.modes().resident && t) {
        t->SetTooltip(texts.trayTip);
        t->Modify();
    }
}

void Form1::mnuHideIcons_Click() {
    desktopIcons_.Toggle();
}

void Form1::mnuMinimize_Click() {
    plat_.showDesktop();
}

void Form1::mnuHideMinimize_Click() {
    mnuHideIcons_Click();
    mnuMinimize_Click();
}

// A lock that did not happen is said: the user may be about to walk away.
void Form1::mnuLock_Click() {
    if (!plat_.lockSession()) dlg_.message(QStringLiteral("The session could not be locked."));
}

void Form1::myHelp_MouseUp(int Button, int, float, float) {
    Timer2->stop();
    if (Button == 1) {
        plat_.setTopmost(this, false);
        ShowSettings();
    } else if (Button == 2) {
        CopyEntryPath();
    }
}

void Form1::mnuHelp_Click() {
    myHelp_MouseUp(1, 0, 0, 0);
}

void Form1::Label2_Click() {
    ShowPopupMenu();
}

void Form1::mDate_Click() {
    ShowPopupMenu();
}

void Form1::Label3_MouseUp(int Button, int, float, float) {
    if (Button == 1) {
        ToggleStayOpen();
        List1->setFocus();
    } else {
        mnuTray_Click();
    }
}

void Form1::Parent_MouseUp(int Button, int, float, float) {
    if (Button == 2) ShowDesktopMenu();
}
