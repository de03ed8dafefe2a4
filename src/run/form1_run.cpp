#include <QCompleter>
#include <QStringListModel>

#include "app/form1.h"
#include "platform/commandline.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "run/entryrules.h"
#include "run/keycodes.h"
#include "run/keytable.h"

namespace {

constexpr int kNotFound = runmodes::kNotFound;

}  // namespace

// ================= the entry launcher =======================================

RunOutcome Form1::RunEntry(bool keepOpen) {
    RunFacts facts;
    facts.keepOpen = keepOpen;
    facts.listEditable = model_.allows(Command::BrowseForEntry);
    RunOutcome out;
    const int cur = List1->SelectedItem();
    // Nothing selected (an empty list, say): nothing to run.
    if (cur < 1) {
        out.next = runmodes::afterRun(facts);
        return out;
    }
    const ListModel& items = List1->ListItems();
    const QString sub1 = items.SubItem(cur, 1);
    facts.sublist = entryrules::isSublistRow(sub1);
    if (facts.sublist) {
        out.next = runmodes::afterRun(facts);
        return out;
    }

    const entryrules::EntryFields entry =
        entryrules::fieldsOf(sub1, items.SubItem(cur, 2), items.SubItem(cur, 3));
    const QString full = entryrules::fullPath(entry.filename, entry.path);
    // There are no drive letters to put before a Path starting at the root.
    QString dir = entry.path;
    mDate->setText(entryrules::launchingText(entry.filename));
    repaint();

    QString filename = entry.filename;
    QString arguments = entry.arguments;
    int code = 0;
    if (entryrules::isShortcutRow(entry.filename)) {
        QString target, shortcutDir, shortcutArguments, iconFile;
        int iconIndex = 0, showCommand = 1;
        ResolveShortcut(full, target, shortcutDir, shortcutArguments, iconFile, iconIndex,
                        showCommand);
        if (!target.isEmpty()) {
            filename = target;
            dir = shortcutDir;
            // A desktop shortcut's command line usually needs its own
            // arguments; the entry's follow them.
            arguments = entryrules::joinArguments(shortcutArguments, entry.arguments);
        }
        code = plat_.shellExecute(filename, arguments, dir);
    } else {
        // A bare name is found by the shell in the working directory or on PATH.
        code = plat_.shellExecute(filename, arguments, dir);
        if (code == kNotFound) {
            filename = entryrules::retryName(filename);
            code = plat_.shellExecute(filename, arguments, dir);
        }
    }
    facts.shellCode = code;
    out.next = runmodes::afterRun(facts);
    out.dir = dir;
    out.filename = filename;
    return out;
}

void Form1::FollowRun(const RunOutcome& run) {
    switch (run.next) {
        case RunNext::Close:
            CloseRequest();
            break;
        case RunNext::Stay:
            break;
        case RunNext::OpenSublist: {
            // A Yes saves only a list loaded from its file, never search
            // results; changes that could not be saved stay on screen.
            if (!AskSaveList()) break;
            const int cur = List1->SelectedItem();
            if (cur < 1) break;
            QString stem = model_.openSublist(List1->ListItems().Text(cur));
            LoadList(stem);
            break;
        }
        case RunNext::AskBrowse:
            if (dlg_.question(entryrules::notFoundText(run.dir, run.filename, true),
                              QString::fromLatin1(entryrules::kNotFoundTitle)))
                mnuBrowse_Click();
            break;
        case RunNext::NotFound:
            dlg_.message(entryrules::notFoundText(run.dir, run.filename, false));
            break;
    }
}

bool Form1::ResolveShortcut(const QString& path, QString& target, QString& workingDirectory,
                            QString& arguments, QString& iconFile, int& iconIndex,
                            int& showCommand) {
    if (path.isEmpty()) return false;
    Platform::Shortcut s;
    if (!plat_.readShortcut(path, s)) return false;
    target = s.target;
    workingDirectory = s.workingDirectory;
    arguments = s.arguments;
    iconFile = s.iconFile;
    iconIndex = s.iconIndex;
    showCommand = s.showCommand;
    return true;
}

// ================= selection, clicks and run modes ==========================

void Form1::RunSelection(int& runMode, float X, float Y) {
    const int index = entryrules::rowIndexAt(Y);
    // A click below the last row runs nothing.
    if (List1->ListItems().Count() < index + 1) return;
    if (X != -1 && index >= 0 && model_.digitsShown() && !config_.hoverSelect)
        List1->SetSelected(index + 1, true);

    if (runMode == 1) {
        // Shift: open the entry's folder; its path goes to the clipboard too.
        CopyEntryPath();
        model_.setCopiedPath(entryrules::folderOf(model_.copiedPath()));
        plat_.shellExecute(model_.copiedPath(), QString(), QString());
        return;
    }
    const RunOutcome run = RunEntry(runMode != 0 || model_.modes().stayOpen);
    if (run.next != RunNext::Close) runMode = 2;
    FollowRun(run);
}

void Form1::ToggleStayOpen() {
    model_.modes().stayOpen = !model_.modes().stayOpen;
    drawRunModes();
}

void Form1::showSearchBox(bool on) {
    model_.setSearchBoxShown(on);
    Text2->setVisible(on);
    if (on) return;
    // What the box filtered and found is let go with it; the rows shown
    // keep what they show.
    Search().filter().reset();
    Search().setList4(nullptr);
}

void Form1::setCaption(const QString& text) {
    model_.setCaption(text);
    setWindowTitle(text);
}

void Form1::setListColor(std::uint32_t color) {
    model_.setListColor(color);
    List1->SetBackColor(color);
}

void Form1::showRunBox(bool on) {
    model_.setRunBoxShown(on);
    myRun->setVisible(on);
}

void Form1::showDigits(bool on) {
    model_.setDigitsShown(on);
    Label2->setVisible(on);
}

void Form1::drawRunModes() {
    const RunModes& m = model_.modes();
    Label3->setText(m.statusLetter());
    Label3->setVisible(model_.statusShown());
    mnuStay->setChecked(m.stayOpen);
    mnuTray->setChecked(m.resident);
    mnuOnTop->setChecked(m.onTop);
    mnuAutoHide->setChecked(m.autoShowHide);
    mnuOrder->setChecked(m.editMode);
}

void Form1::ShowPopupMenu() {
    const int rows = List1->ListItems().Count();
    const int cur = List1->SelectedItem();
    if (rows == 0) {
        // An empty list offers what fills it; empty results offer nothing.
        if (EditableView())
            SetEmptyListCommands();
        else
            DisableEditCommands();
    } else if (cur >= 1) {
        mRunThis->setEnabled(true);
        mnuBold->setChecked(List1->ListItems().Bold(cur));
        // Brings the list commands back for a list loaded from its file.
        // Results of a search stay results (their commands stay off, so
        // nothing can save them into the list's file), and unsaved changes
        // stay marked so that leaving the list still asks about them.
        if (!Search().searchShown() && EditableView()) {
            const bool dirty = ListDirty();
            ResetListView();
            SetListDirty(dirty);
        }
    }
    // Rows but no current row: there is no entry to prepare the menu for, so
    // it opens as it does without a selection.
    if (model_.allows(Command::Paste) && !model_.copiedPath().isEmpty()) mnuPaste->setEnabled(true);
    Timer2->stop();
    menu1->exec(plat_.cursorPos());
    if (Ended()) return;
    // The key that closed the menu, and any pressed right after it, must not
    // act on the window: the keys wait for the next tick.
    readiness_ = -5;
    Timer1->start();
}

void Form1::ShowRunDialog() {
    if (plat_.openRunDialog()) {
        CloseRequest();
        return;
    }
    // No run dialog on this desktop: the launcher's own run box stands in,
    // and the window stays for it.
    mnuMyRun_Click();
}

void Form1::mRunThis_Click() {
    int mode = 2;
    RunSelection(mode, 0, 0);
}

void Form1::mnuParent_Click() {
    int mode = 1;
    RunSelection(mode, 0, 0);
}

void Form1::mnuRun_Click() {
    ShowRunDialog();
}

void Form1::mnuMyRun_Click() {
    setupRunCompletion();
    showRunBox(true);
    myRun->raise();
    myRun->setFocus();
}

void Form1::setupRunCompletion() {
    if (myRun->findChild<QCompleter*>()) return;
    auto* model = new QStringListModel(myRun);
    auto* completer = new QCompleter(model, myRun);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setWidget(myRun);
    connect(myRun, &QLineEdit::textEdited, completer,
            [this, model, completer](const QString& text) {
                model->setStringList(plat_.runCompletions(text));
                completer->setCompletionPrefix(text);
                if (completer->completionCount() > 0)
                    completer->complete();
                else
                    completer->popup()->hide();
            });
    connect(completer, qOverload<const QString&>(&QCompleter::activated), myRun,
            &QLineEdit::setText);
}

void Form1::myRun_KeyDown(int& KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (KeyCode == keycodes::Return) {
        const QString text = myRun->text();
        // A program typed with its arguments is not a file name: when the
        // whole text is not found, its first word runs with the rest.
        if (plat_.shellExecute(text, QString(), QString()) == kNotFound) {
            const QStringList words = commandline::split(text);
            const bool found = words.size() > 1 &&
                               plat_.shellExecute(words.first(), commandline::join(words.mid(1)),
                                                  QString()) != kNotFound;
            if (!found && !text.trimmed().isEmpty())
                dlg_.message(QStringLiteral("Could not run \"%1\": there is no file \"%2\", and "
                                            "no program of that name on PATH.")
                                 .arg(text, words.value(0, text)));
        }
        showRunBox(false);
    }
    if (KeyCode == keycodes::Escape) {
        showRunBox(false);
        KeyCode = 0;
        runBoxKey_ = keycodes::Escape;
    }
    if (KeyCode == keycodes::Return) CloseRequest();
}

void Form1::mnuPendix_Click() {
    const int cur = List1->SelectedItem();
    if (cur < 1) return;
    const QString pendix = plat_.findProgram(QStringLiteral("Pendix.exe"), appPath_);
    if (pendix.isEmpty()) {
        dlg_.message(
            QStringLiteral("Pendix is not installed: there is no program \"Pendix\" in "
                           "the program folder or on PATH."));
        return;
    }
    const ListModel& items = List1->ListItems();
    plat_.startCommandLine(
        commandline::quote(pendix) + u' ' +
            entryrules::pendixArguments(items.SubItem(cur, 2), items.SubItem(cur, 1),
                                        items.SubItem(cur, 3)),
        2);
}

void Form1::List1_MouseDown(int Button, int Shift, float X, float Y) {
    Timer2->stop();
    // A list that fits runs on the press, with the row under the pointer.
    if (Button == 1 && model_.digitsShown() && !EditMode()) {
        int mode = Shift;
        RunSelection(mode, X, Y);
        pressHandled_ = true;
    }
}

void Form1::List1_MouseUp(int Button, int Shift, float X, float Y) {
    // A list that scrolls runs on the release, with the row the view selected.
    if (Button == 1 && !model_.digitsShown() && !EditMode() && !pressHandled_) {
        int mode = Shift;
        RunSelection(mode, X, Y);
    } else {
        pressHandled_ = false;
    }
    if (Button == 2) ShowPopupMenu();
}

// ================= keyboard commands ========================================

void Form1::List1_KeyDown(int& KeyCode, int Shift) {
    Timer2->stop();
    runBoxKey_ = 0;
    if (Readiness() < 1) return;

    const ListModel& items = List1->ListItems();
    keytable::ListKeyState s;
    s.digitColumnShown = model_.digitsShown();
    s.rows = items.Count();
    s.current = List1->SelectedItem();
    s.currentIsFirstByText = s.current >= 1 && items.Text(s.current) == items.Text(1);
    s.lastRowSelected = s.rows >= 1 && List1->Selected(s.rows);
    s.searchBoxShown = model_.searchBoxShown();
    s.editMode = EditMode();
    s.browseEnabled = model_.allows(Command::Paste);
    s.quickSearch = config_.quickSearch;
    s.pageKeysAsArrows = config_.pageKeysAsArrows;

    const keytable::ListCommand c = keytable::listKeyDown(KeyCode, Shift, s);
    if (c.row > 0) List1->SetSelected(c.row, true);
    if (!c.command) return;
    switch (*c.command) {
        case Command::Run:
            if (c.row > 0) {
                // The row the key named runs, not the one under the pointer.
                int mode = 0;
                RunSelection(mode, -1, 0);
                return;
            }
            break;
        case Command::QuickSearch:
            // A changed list that could not be saved stays on screen.
            if (ListDirty() && !AskSaveList()) return;
            StartQuickSearch();
            Text2->setText(QString(c.letter));
            return;
        default:
            break;
    }
    Do(*c.command);
}

void Form1::List1_KeyPress(int& KeyAscii) {
    if (keytable::swallowsCharacter(KeyAscii)) KeyAscii = 0;
}

void Form1::Form_KeyUp(int& KeyCode, int Shift) {
    Timer2->stop();
    if (Readiness() < 1) return;
    if (runBoxKey_ != 0 && KeyCode == runBoxKey_) {
        // The release of the key that only closed the run box.
        runBoxKey_ = 0;
        KeyCode = 0;
        return;
    }

    keytable::WindowKeyState s;
    s.searchTextPresent = !Text2->text().isEmpty();
    s.runBoxShown = model_.runBoxShown();

    for (const Command c : keytable::formKeyUp(KeyCode, Shift, s)) {
        if (Ended()) return;
        Do(c);
    }
}
