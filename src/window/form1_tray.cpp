#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "window/trayicon.h"

// Residency: while "Stay in tray" is checked, closing the window only hides
// it, and the tray icon and the global hotkey bring it back.
void Form1::mnuTray_Click() {
    if (mnuTray->isChecked()) {
        t->Remove();
        t->deleteLater();  // this may run inside one of the icon's events
        t = nullptr;
        mnuTray->setChecked(false);
        Label3->setText(QString());
    } else {
        Label3->setText(QStringLiteral("R"));
        t = new TrayIcon(plat_, this);
        t->OwnerForm = this;
        t->Icon = windowIcon();
        connect(t, &TrayIcon::MouseUp, this, &Form1::t_MouseUp);
        t->Add();
        mnuTray->setChecked(true);
        // The hotkey is set up once per run: it stays while residency is
        // switched off, and a letter changed meanwhile waits for a restart.
        if (config_.hotkeyCode != 0 && !hotkeyHooked_) {
            const QChar letter(char16_t(config_.hotkeyCode));
            switch (plat_.grabHotkey(config_.hotkeyCode)) {
                case Platform::HotkeyResult::Grabbed:
                    hotkeyWorks_ = true;
                    break;
                case Platform::HotkeyResult::Taken:
                    dlg_.message(QStringLiteral("Hotkey (windows-") + letter +
                                 QStringLiteral(") already taken by another application"));
                    break;
                case Platform::HotkeyResult::Unavailable:
                    hotkeyUnavailable_ = true;
                    break;
            }
            connect(&plat_, &Platform::hotkeyPressed, this, &Form1::HotkeyPressed,
                    Qt::UniqueConnection);
            hotkeyHooked_ = true;
        }
    }
    if (isVisible()) List1->setFocus();
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

void Form1::HotkeyPressed(int key) {
    const bool visible = isVisible();
    if (!config_.hideWhenRecalled || (key == config_.hotkeyCode && !visible)) {
        myShowWin();
    } else {
        // A recall of a visible window, told the way a second copy tells it.
        Text1->setText(QStringLiteral("aa"));
        Text1->setText(QStringLiteral("hide"));
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

// The sidebar is not built yet: a plain no-op.
void Form1::mnuSideBar_Click() {}
