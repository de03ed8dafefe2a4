#include "app/appicon.h"
#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "window/trayicon.h"

// Residency: while "Stay in tray" is checked, closing the window only hides
// it, and the tray icon and the global hotkey bring it back.
void Form1::mnuTray_Click() {
    RunModes& modes = model_.modes();
    if (modes.resident) {
        t->Remove();
        t->deleteLater();  // this may run inside one of the icon's events
        t = nullptr;
        modes.resident = false;
    } else {
        modes.resident = true;
        t = new TrayIcon(plat_, this);
        t->setObjectName(QStringLiteral("t"));
        t->OwnerForm = this;
        t->Icon = appIcon();
        connect(t, &TrayIcon::MouseUp, this, &Form1::t_MouseUp);
        t->Add();
        // The hotkey is set up here once per run: it stays while residency
        // is switched off; the settings window grabs a new letter itself.
        if (config_.hotkeyCode != 0 && !hotkeyHooked_) GrabHotkey();
        GrabInstallShortcut();
    }
    drawRunModes();
    if (isVisible()) List1->setFocus();
}

void Form1::SetResident(bool on) {
    if (model_.modes().resident != on) mnuTray_Click();
}

void Form1::t_MouseUp(int Button) {
    if (Button == 2) {
        ShowDesktopMenu();
    } else if (isVisible()) {
        hiddenFromTray_ = true;
        hide();
    } else {
        myShowWin();
    }
}

void Form1::ShowDesktopMenu() {
    // The menu's items act on the desktop, not on this window: it opens at
    // the pointer whether the window is shown or not.
    menu2->exec(plat_.cursorPos());
}

// Ends the program the way the word "quit" does: out of the tray, stay-open
// off, then a close request (which still asks about an unsaved list).
void Form1::mnuQuit_Click() {
    if (model_.modes().resident) mnuTray_Click();
    if (model_.modes().stayOpen) mnuStay_Click();
    CloseRequest();
}

void Form1::HotkeyPressed(int key) {
    const bool visible = isVisible();
    if (!config_.hideWhenRecalled || (key == config_.hotkeyCode && !visible)) {
        myShowWin();
    } else {
        // A recall of a visible window, told the way a second copy tells it.
        Text1_Change(QStringLiteral("hide"));
    }
}

void Form1::SayHowToRecall() {
    if (recallTold_) return;
    const bool tray = plat_.trayAvailable();
    if (tray && !hotkeyUnavailable_) return;
    recallTold_ = true;
    const QString hotkey = QStringLiteral("windows-") + QChar(char16_t(config_.hotkeyCode));
    QStringList text, ways;
    if (!tray)
        text << QStringLiteral(
            "This desktop has no notification area, so Brennomix has "
            "no tray icon.");
    if (hotkeyUnavailable_)
        text << QStringLiteral("The hotkey (%1) cannot be used on this desktop.").arg(hotkey);
    if (tray) ways << QStringLiteral("click its tray icon");
    if (hotkeyWorks_) ways << QStringLiteral("press ") + hotkey;
    ways << QStringLiteral("start Brennomix again");
    const QString last = ways.takeLast();
    text << QStringLiteral("Brennomix keeps running hidden; %1 to bring it back.")
                .arg(ways.isEmpty()
                         ? last
                         : ways.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last);
    dlg_.message(text.join(QStringLiteral("\r\n")));
}

void Form1::GrabHotkey() {
    if (config_.hotkeyCode == grabbedHotkey_) return;
    if (grabbedHotkey_ != 0) plat_.releaseHotkey();
    grabbedHotkey_ = 0;
    if (config_.hotkeyCode == 0) return;
    const QChar letter(char16_t(config_.hotkeyCode));
    switch (plat_.grabHotkey(config_.hotkeyCode)) {
        case Platform::HotkeyResult::Grabbed:
            grabbedHotkey_ = config_.hotkeyCode;
            hotkeyWorks_ = true;
            hotkeyUnavailable_ = false;
            break;
        case Platform::HotkeyResult::Taken:
            dlg_.message(QStringLiteral("Hotkey (windows-") + letter +
                         QStringLiteral(") already taken by another application"));
            break;
        case Platform::HotkeyResult::Unavailable:
            hotkeyUnavailable_ = true;
            break;
    }
    connect(&plat_, &Platform::hotkeyPressed, this, &Form1::HotkeyPressed, Qt::UniqueConnection);
    hotkeyHooked_ = true;
}

Sidebar& Form1::sidebar() {
    if (sidebar_) return *sidebar_;
    sidebar_ = std::make_unique<Sidebar>(plat_);
    Sidebar& s = *sidebar_;
    s.anchor = [this] { return frameGeometry().center(); };
    s.mainHidden = [this] { return !isVisible(); };
    s.autoShowHide = [this] { return config_.autoShowHide; };
    s.autoHideRunning = [this] { return Timer2->isActive(); };
    s.startAutoHide = [this] { Timer2->start(); };
    s.toggleMain = [this] { t_MouseUp(1); };
    s.pointerTarget = [this] {
        return QPoint(TwipsToPixels(Left() + Width() / 2, false), TwipsToPixels(Top(), true) + 60);
    };
    // The strip's load: checked in the menu and placed.
    sidebarSet();
    return s;
}

void Form1::sidebarSet() {
    sidebar().Place(config_.sidebarPosition);
    mnuSideBar->setChecked(true);
}

void Form1::HideSidebar() {
    if (sidebar_) sidebar_->hide();
    mnuSideBar->setChecked(false);
}

bool Form1::SidebarShown() const {
    return sidebar_ && sidebar_->isVisible();
}

void Form1::mnuSideBar_Click() {
    if (SidebarShown()) {
        config_.sidebarPosition = 0;
        HideSidebar();
    } else {
        if (config_.sidebarPosition == 0) config_.sidebarPosition = 3;
        sidebarSet();
    }
    Write_Cfg();
}
