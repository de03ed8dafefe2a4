#include "settings/form2.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QSignalBlocker>

#include <cmath>

#include "lists/config.h"
#include "platform/commandline.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "search/fsindex.h"
#include "settings/helptext.h"
#include "settings/settingshost.h"
#include "settings/shortcutfiles.h"

Form2::Form2(SettingsHost& main, Platform& platform, Dialogs& dialogs)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      main_(main),
      plat_(platform),
      dlg_(dialogs) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The controls keep their places in twips; a condensed face (where the
    // desktop has one) keeps their captions inside them.
    QFont f = font();
    f.setPointSize(8);
    f.setStretch(QFont::Condensed);
    setFont(f);

    const double tx = main_.TwipsPerPixelX(), ty = main_.TwipsPerPixelY();
    auto place = [&](QWidget* w, const char* name, int left, int top, int width, int height) {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(int(std::lround(left / tx)), int(std::lround(top / ty)),
                       int(std::lround(width / tx)), int(std::lround(height / ty)));
        w->installEventFilter(this);
    };
    auto button = [&](const char* name, const char* caption, int left, int top, int width,
                      int height) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        place(b, name, left, top, width, height);
        return b;
    };
    auto check = [&](const char* name, const char* caption, int left, int top, int width,
                     int height) {
        auto* c = new QCheckBox(QString::fromUtf8(caption), this);
        place(c, name, left, top, width, height);
        return c;
    };

    // Created in tab order.
    Text1 = new QPlainTextEdit(this);
    place(Text1, "Text1", 120, 1680, 7215, 3960);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    f.setStretch(QFont::Unstretched);
    Text1->setFont(f);
    Command1 = button("Command1", "Set &Hotkey", 120, 120, 1095, 375);
    Command2 = button("Command2", "&Make Start Menu shortcut", 1320, 120, 2295, 375);
    Command3 = button("Command3", "Add &path to FS search", 3720, 120, 1935, 375);
    Command4 = button("Command4", "Manual &edit of .cfg", 5760, 120, 1575, 375);
    Check1 = check("Check1", "&Start at login", 5640, 600, 1695, 195);
    Check2 = check("Check2", "&Window under mouse", 120, 600, 1935, 195);
    Check3 = check("Check3", "H&over select", 2040, 600, 1215, 195);
    Check4 = check("Check4", "Hi&de when called (if visible)", 3360, 600, 2295, 195);
    Check5 = check("Check5", "&Use Page Up/Down as arrows", 120, 840, 2655, 255);
    Combo1 = new QComboBox(this);
    place(Combo1, "Combo1", 6240, 840, 1095, 315);
    Combo1->addItems({QStringLiteral("None"), QStringLiteral("Top"), QStringLiteral("Left"),
                      QStringLiteral("Right"), QStringLiteral("Bottom")});
    Combo1->setCurrentIndex(-1);
    Label1 = new QLabel(QStringLiteral("SideBar Position:"), this);
    place(Label1, "Label1", 4850, 900, 1335, 255);
    Check6 = check("Check6", "Quick Search", 3360, 800, 1455, 255);
    Check7 = check("Check7", "Auto Show/Hide", 3360, 1060, 1695, 195);
    Command5 = button("Command5", "Get latest verion", 120, 1200, 1575, 375);
    Command5->setEnabled(!helptext::homepage().isEmpty());

    QWidget* order[] = {Text1,  Command1, Command2, Command3, Command4, Check1, Check2,
                        Check3, Check4,   Check5,   Combo1,   Check6,   Check7, Command5};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    setFixedSize(int(std::lround(7425 / tx)), int(std::lround(5655 / ty)));
    installEventFilter(this);

    connect(Check1, &QCheckBox::toggled, this, &Form2::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Form2::Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &Form2::Check3_Click);
    connect(Check4, &QCheckBox::toggled, this, &Form2::Check4_Click);
    connect(Check5, &QCheckBox::toggled, this, &Form2::Check5_Click);
    connect(Check6, &QCheckBox::toggled, this, &Form2::Check6_Click);
    connect(Check7, &QCheckBox::toggled, this, &Form2::Check7_Click);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form2::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
}

// Setting a box or the list runs its rule as a user's change would; the
// autostart box acts only once the window is shown.
void Form2::Form_Load() {
    // Showing the settings is no change to them: nothing is written.
    loading_ = true;
    const Config& cfg = main_.Cfg();
    if (cfg.quickSearch) Check6->setChecked(true);
    if (cfg.autoShowHide) Check7->setChecked(true);
    Text1->setPlainText(helptext::text(helptext::version(), helptext::homepage()));
    Check2->setChecked(cfg.window2Mouse);
    // Shows what is in effect: a long list switches hover selection off.
    Check3->setChecked(cfg.hoverSelect);
    Check4->setChecked(cfg.hideWhenRecalled);
    Check5->setChecked(cfg.pageKeysAsArrows);
    Combo1->setCurrentIndex(cfg.sidebarPosition);
    if (plat_.fileExists(StartupShortcutPath())) Check1->setChecked(true);
    loading_ = false;
}

void Form2::WriteCfg() {
    if (!loading_) main_.Write_Cfg();
}

void Form2::Form_KeyUp(int& KeyCode, int) {
    if (KeyCode == 27) close();
}

void Form2::Form_Unload() {
    main_.SettingsClosed();
}

void Form2::closeEvent(QCloseEvent* e) {
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    e->accept();
}

bool Form2::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyRelease) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Escape && !ke->isAutoRepeat()) {
            int code = 27;
            Form_KeyUp(code, 0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

QString Form2::StartupShortcutPath() {
    return plat_.userFolder(Platform::UserFolder::Autostart) + u'/' +
           QString::fromLatin1(shortcutfiles::kFileName);
}

void Form2::Check1_Click() {
    if (!isVisible()) return;
    if (value(Check1) == 1)
        CreateStartupShortcut();
    else
        RemoveStartupShortcut();
}

void Form2::Check2_Click() {
    main_.Cfg().window2Mouse = value(Check2) == 1;
    WriteCfg();
}

void Form2::Check3_Click() {
    main_.Cfg().hoverSelect = value(Check3) == 1;
    main_.Cfg().hoverSelectSaved = value(Check3) == 1;
    WriteCfg();
}

void Form2::Check4_Click() {
    main_.Cfg().hideWhenRecalled = value(Check4) == 1;
    WriteCfg();
}

void Form2::Check5_Click() {
    main_.Cfg().pageKeysAsArrows = value(Check5) == 1;
    WriteCfg();
}

void Form2::Check6_Click() {
    main_.Cfg().quickSearch = value(Check6) == 1;
    WriteCfg();
}

// The menu item and the auto-hide timer stay as they are; the sidebar
// reads the setting at its next touch.
void Form2::Check7_Click() {
    main_.Cfg().autoShowHide = value(Check7) == 1;
    WriteCfg();
}

void Form2::Combo1_Click() {
    main_.Cfg().sidebarPosition = Combo1->currentIndex() < 0 ? 0 : Combo1->currentIndex();
    if (main_.Cfg().sidebarPosition < 1) {
        main_.HideSidebar();
    } else {
        main_.sidebarSet();
    }
    WriteCfg();
}

void Form2::Command1_Click() {
    Config& cfg = main_.Cfg();
    const std::optional<QString> given = dlg_.input(
        QStringLiteral("The letter you choose will activate Brennomix when it is resident in the "
                       "system tray.\r\nSelect a letter so you can call the program "
                       "quickly\r\nCancel removes HotKey!"),
        QString(), cfg.hotkeyCode ? QString(QChar(char16_t(cfg.hotkeyCode))) : QString());
    // Cancel leaves the hotkey as it was; only an answer left empty clears it.
    if (!given) return;
    const QString& answer = *given;
    if (answer.size() > 1) {
        dlg_.message(QStringLiteral("Only one letter or number please."));
        return;
    }
    if (answer.isEmpty()) {
        cfg.hotkeyCode = 0;
        WriteCfg();
        main_.GrabHotkey();
        return;
    }
    const int code = answer.toUpper()[0].unicode();
    // A character no key types could never be pressed.
    if (!plat_.hasKeyFor(code)) {
        dlg_.message(QStringLiteral("There is no key for \"%1\" on this keyboard. Choose another "
                                    "letter or number.")
                         .arg(answer));
        return;
    }
    dlg_.message(QStringLiteral("New shortcut (WindowsKey-") + answer + QStringLiteral(") set."));
    cfg.hotkeyCode = code;
    WriteCfg();
    main_.SetResident(true);
    main_.GrabHotkey();
}

void Form2::Command2_Click() {
    main_.sCut();
}

void Form2::Command3_Click() {
    const QString chosen =
        dlg_.folderName(QStringLiteral("Add path to FS search"), QDir::homePath());
    const QString path = chosen.section(QChar(u'\0'), 0, 0);
    if (path.isEmpty()) return;
    if (!fsindex::fitsSearchSetting(path)) {
        dlg_.message(QStringLiteral("'%1' cannot be searched: the settings file separates "
                                    "folders with \";\", so a folder whose name holds one "
                                    "cannot be added.")
                         .arg(path));
        return;
    }
    main_.Cfg().fsSearchPaths = fsindex::withSearchFolder(main_.Cfg().fsSearchPaths, path);
    WriteCfg();
    main_.FsIndexStale();
    dlg_.message(u'\'' + path + QStringLiteral("' added."));
}

// The editor does not block: the message holds the reload until the user
// has saved.
void Form2::Command4_Click() {
    const QString path = main_.AppPath() + u'/' + QString::fromLatin1(configfile::kFileName);
    plat_.startCommandLine(QStringLiteral("notepad ") + commandline::quote(path), 1);
    dlg_.message(
        QStringLiteral("Press OK after you save and close the configuration, so it can be "
                       "reloaded."));
    main_.Load_Cfg();
    close();
}

void Form2::Command5_Click() {
    const QString home = helptext::homepage();
    if (!home.isEmpty()) plat_.shellExecute(home, QString(), QString());
}

void Form2::CreateStartupShortcut() {
    QString error;
    const QString text = shortcutfiles::autostartEntry(main_.EntryProgram());
    if (!plat_.writeUserFile(StartupShortcutPath(), text.toUtf8(), &error)) {
        dlg_.message(QStringLiteral("Could not create the autostart entry %1\r\n%2")
                         .arg(StartupShortcutPath(), error));
        const QSignalBlocker block(Check1);
        Check1->setChecked(false);
    }
}

void Form2::RemoveStartupShortcut() {
    const QString path = StartupShortcutPath();
    if (plat_.fileExists(path) && !plat_.removeUserFile(path)) {
        dlg_.message(QStringLiteral("Could not remove the autostart entry %1").arg(path));
        const QSignalBlocker block(Check1);
        Check1->setChecked(true);
    }
}
