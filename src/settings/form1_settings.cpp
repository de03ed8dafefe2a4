#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/keycombination.h"
#include "platform/platform.h"
#include "settings/form2.h"
#include "settings/shortcutfiles.h"

namespace {
QString entryPath(Platform& plat, const char* name = shortcutfiles::kMenuFileName) {
    return plat.userFolder(Platform::UserFolder::Applications) + u'/' + QString::fromLatin1(name);
}

// The menu entry's text: under the installed entry's name, else where
// earlier versions kept it.
QString entryText(Platform& plat) {
    QByteArray bytes = plat.readUserFile(entryPath(plat));
    if (bytes.isEmpty())
        bytes = plat.readUserFile(entryPath(plat, shortcutfiles::kOldMenuFileName));
    return QString::fromUtf8(bytes);
}
}  // namespace

QString Form1::EntryProgram() {
    return shortcutfiles::entryProgram(
        plat_.programFile(),
        plat_.findProgram(QString::fromLatin1(shortcutfiles::kInstalledName), QString()));
}

// The menu entry that starts the launcher and keeps a keyboard shortcut;
// the running launcher grabs that shortcut itself and takes it as a recall.
void Form1::sCut() {
    const QString answer =
        dlg_.input(QStringLiteral(
                       "You have chosen the /install option.\r\n"
                       "This will place a shortcut to your Programs Folder in the Start menu.\r\n"
                       "Select a keyboard shortcut so you can call the program quickly\r\n"
                       "examples:\r\n"
                       "CTRL+ALT+A, CTRL+A, CTRL+SHIFT+A, ALT+A."),
                   QString(), QStringLiteral("CTRL+ALT+A"))
            .value_or(QString());
    if (answer.isEmpty()) return;
    const QString keyText = answer.toUpper();
    const std::optional<KeyCombination> keys = keycombination::parse(keyText);
    if (!keys) {
        dlg_.message(QStringLiteral("\"%1\" is not a keyboard shortcut. Use one or more of CTRL, "
                                    "ALT and SHIFT with a key, for example CTRL+ALT+A.")
                         .arg(keyText));
        return;
    }
    // A shortcut another program holds would never reach the launcher; the
    // attempt let go of the one grabbed before, which is taken up again.
    if (!GrabInstallShortcut(keyText)) {
        GrabInstallShortcut();
        return;
    }
    QString error;
    const QString text = shortcutfiles::launcherEntry(EntryProgram(), keyText);
    if (!plat_.writeUserFile(entryPath(plat_), text.toUtf8(), &error)) {
        dlg_.message(
            QStringLiteral("Could not create the shortcut %1\r\n%2").arg(entryPath(plat_), error));
        return;
    }
    // The entry an earlier version wrote would stand beside it as a second
    // "Brennomix" in the menu.
    const QString old = entryPath(plat_, shortcutfiles::kOldMenuFileName);
    if (!shortcutfiles::keyTextOf(QString::fromUtf8(plat_.readUserFile(old))).isEmpty())
        plat_.removeUserFile(old);
    dlg_.message(QStringLiteral("Shortcut created"));
}

// Entries written by a copy that has since gone (a build folder removed
// after an install) would start nothing: they are written again for this
// copy, keeping their shortcut. An entry of the user's own is left alone.
void Form1::RefreshOwnEntries() {
    auto gone = [this](const QString& program) {
        return program.startsWith(u'/') && program != plat_.programFile() &&
               !plat_.fileExists(program);
    };
    QString error;
    for (const char* name : {shortcutfiles::kMenuFileName, shortcutfiles::kOldMenuFileName}) {
        const QString path = entryPath(plat_, name);
        const QString text = QString::fromUtf8(plat_.readUserFile(path));
        const QString keyText = shortcutfiles::keyTextOf(text);
        if (keyText.isEmpty() || !gone(shortcutfiles::execProgramOf(text))) continue;
        const QByteArray fresh = shortcutfiles::launcherEntry(EntryProgram(), keyText).toUtf8();
        if (plat_.writeUserFile(entryPath(plat_), fresh, &error) && path != entryPath(plat_))
            plat_.removeUserFile(path);
        break;
    }
    const QString autostart = plat_.userFolder(Platform::UserFolder::Autostart) + u'/' +
                              QString::fromLatin1(shortcutfiles::kFileName);
    const QString text = QString::fromUtf8(plat_.readUserFile(autostart));
    if (text.contains(QStringLiteral("\nName=Brennomix\n")) &&
        text.contains(QStringLiteral(" /resident")) && gone(shortcutfiles::execProgramOf(text)))
        plat_.writeUserFile(autostart, shortcutfiles::autostartEntry(EntryProgram()).toUtf8(),
                            &error);
}

bool Form1::GrabInstallShortcut(const QString& text) {
    const QString keyText =
        (text.isEmpty() ? shortcutfiles::keyTextOf(entryText(plat_)) : text).toUpper();
    if (keyText.isEmpty() || keyText == grabbedShortcut_) return true;
    const std::optional<KeyCombination> keys = keycombination::parse(keyText);
    if (!keys) return false;
    switch (plat_.grabKeyCombination(*keys)) {
        case Platform::HotkeyResult::Grabbed:
            grabbedShortcut_ = keyText;
            connect(&plat_, &Platform::keyCombinationPressed, this, &Form1::InstallShortcutPressed,
                    Qt::UniqueConnection);
            return true;
        case Platform::HotkeyResult::Taken:
            grabbedShortcut_.clear();
            dlg_.message(QStringLiteral("Shortcut (") + keyText +
                         QStringLiteral(") already taken by another application"));
            return false;
        case Platform::HotkeyResult::Unavailable:
            break;
    }
    return true;
}

void Form1::InstallShortcutPressed() {
    HotkeyPressed(config_.hotkeyCode);
}

Form2* Form1::Settings() const {
    return form2_;
}

void Form1::ShowSettings() {
    if (!form2_) {
        // A window of its own, not the main window's child: it stays open
        // while the main window hides, and it goes with the main window.
        form2_ = new Form2(*this, plat_, dlg_);
        connect(this, &QObject::destroyed, form2_, [f = form2_.data()] { delete f; });
        form2_->Form_Load();
    }
    form2_->show();
    form2_->raise();
    plat_.activateWindow(form2_);
}

void Form1::SettingsClosed() {
    plat_.setTopmost(this, true);
}
