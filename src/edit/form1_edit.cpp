// Editing lists in place: edit mode and its bar, the entry commands, adding
// entries from paths, drops and file pickers, entry colours, and opening
// lists and entries in a text editor.
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>

#include <fcntl.h>
#include <cerrno>
#include <cstdio>

#include "app/form1.h"
#include "edit/colordialog.h"
#include "edit/editrules.h"
#include "lists/listfile.h"
#include "platform/commandline.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "run/entryrules.h"

namespace {

const char* const kCouldNotAdd = "Error. Couldn't add item.";
const char* const kShortcutQuestion =
    "Shortcut detected! You can resolve it to its original file or just use the shortcut.\r\n"
    "If you move or delete the shortcut later, Brennomix will not be able to find it.\r\n"
    "Resolve Shortcut?";
// The desktop's text editor, as the shell layer knows it.
const char* const kNotepad = "notepad";

constexpr std::uint32_t kEditTint = listfile::rgb(213, 193, 193);
constexpr std::uint32_t kAfterEditTint = listfile::rgb(191, 191, 191);

// Text typed into a field of an entry: a tab or line end would split the
// line of the list file.
QString fieldText(QString s) {
    s.replace(u'\t', u' ');
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

QString notAListName(const QString& name) {
    QString shown = name;
    shown.replace(QChar(u'\0'), QStringLiteral("\\0"));
    return QStringLiteral(
               "\"%1\" cannot be the name of a list.\r\nA list name may not contain \"/\" or a "
               "NUL character, and needs a name before its extension.")
        .arg(shown);
}

// Draws entry i of the list into row i of the view.
void drawEntry(ListModel& items, int i, const ListEntry& e) {
    items.SetText(i, e.title);
    for (int k = 1; k <= 5; ++k) items.SetSubItem(i, k, e.fields[size_t(k - 1)]);
    items.SetForeColor(i, e.color);
    items.SetBold(i, e.bold);
}

// Appends the list's last entry to the view.
void drawAdded(ListModel& items, const ListEntry& e) {
    drawEntry(items, items.Add(e.title), e);
}

// Starts an editor's command words; a command line naming no program is
// reported here, a program that does not start by the platform.
void startEditor(Platform& plat, Dialogs& dlg, const QString& editor, const QString& file) {
    const QStringList words = editrules::editorCommand(editor, file);
    if (words.isEmpty()) {
        dlg.message(QStringLiteral("The editor \"%1\" cannot be started: its command line names no "
                                   "program or leaves a quote open.")
                        .arg(editor));
        return;
    }
    plat.startCommandLine(commandline::join(words), 1);
}

// Presses on the edit-mode buttons act at once and never become clicks;
// releases over Browse and drops on the list go to their handlers.
class EditEvents : public QObject {
public:
    EditEvents(Form1& form, QWidget* editList, QWidget* endEdit, QWidget* browse)
        : QObject(&form), f_(form), editList_(editList), endEdit_(endEdit), browse_(browse) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease: {
                const int b = button(static_cast<QMouseEvent*>(e)->button());
                const bool press = e->type() != QEvent::MouseButtonRelease;
                if (watched == editList_ || watched == endEdit_) {
                    auto* w = static_cast<QWidget*>(watched);
                    if (!w->isEnabled()) return false;
                    if (press)
                        watched == editList_ ? f_.EditList_MouseDown(b) : f_.mEndEdit_MouseDown(b);
                    return true;
                }
                if (watched == browse_ && !press && browse_->isEnabled()) {
                    f_.Browse_MouseUp(b);
                    // Only the left button clicks; no release opens the menu.
                    return b != 1;
                }
                return false;
            }
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* d = static_cast<QDropEvent*>(e);
                if (f_.Model().allows(Command::Drop) &&
                    (d->mimeData()->hasUrls() || d->mimeData()->hasText()))
                    d->acceptProposedAction();
                else
                    d->ignore();
                return true;
            }
            case QEvent::Drop: {
                auto* d = static_cast<QDropEvent*>(e);
                const QMimeData* m = d->mimeData();
                const QList<QUrl> urls = m->hasUrls() ? m->urls() : QList<QUrl>();
                const QString text =
                    m->hasFormat(QStringLiteral("text/plain")) ? m->text() : QString();
                d->acceptProposedAction();
                // The program the drop came from waits until the drop is
                // done: the questions and messages of adding come after.
                QTimer::singleShot(0, &f_, [form = &f_, urls, text] {
                    QMimeData data;
                    if (!urls.isEmpty()) data.setUrls(urls);
                    if (!text.isEmpty()) data.setText(text);
                    form->List1_OLEDragDrop(data);
                });
                return true;
            }
            default:
                return false;
        }
    }

private:
    static int button(Qt::MouseButton b) {
        return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : 4;
    }
    Form1& f_;
    QWidget* editList_;
    QWidget* endEdit_;
    QWidget* browse_;
};

}  // namespace

void Form1::applyEditCommands(const editrules::EditCommands& c) {
    EditList->setEnabled(c.editList);
    Browse->setEnabled(c.browse);
    mnuBold->setEnabled(c.bold);
    mnuColor->setEnabled(c.color);
    mnuRename->setEnabled(c.rename);
    mnuDelete->setEnabled(c.del);
    mnuEdit->setEnabled(c.edit);
    mnuOrder->setEnabled(c.order);
    mnuNew->setEnabled(c.newList);
    mnuArgs->setEnabled(c.args);
    mnuBrowse->setEnabled(c.browseFor);
}

// The current row for a command that changes the list: none outside a
// list loaded from its file.
int Form1::editableRow(Command c) const {
    return model_.allows(c) ? List1->SelectedItem() : 0;
}

void Form1::setupEditEvents() {
    auto* events = new EditEvents(*this, EditList, mEndEdit, Browse);
    for (QWidget* w : {static_cast<QWidget*>(EditList), static_cast<QWidget*>(mEndEdit),
                       static_cast<QWidget*>(Browse), List1->viewport()})
        w->installEventFilter(events);
    List1->setAcceptDrops(true);
    List1->viewport()->setAcceptDrops(true);
}

// ================= edit mode and availability ===============================

bool Form1::EditMode() const {
    return model_.modes().editMode;
}

void Form1::DisableEditCommands() {
    applyEditCommands(editrules::commandsFor(editrules::EditView::SearchResults));
}

void Form1::SetEmptyListCommands() {
    DisableEditCommands();
    applyEditCommands(editrules::commandsFor(editrules::EditView::EmptyList));
}

void Form1::mnuOrder_Click() {
    const bool entering = !EditMode();
    // Edit mode is entered only on a list read from its file; it can
    // always be left.
    if (entering && !model_.allows(Command::EditMode)) return;
    model_.modes().setEditMode(entering, config_.hoverSelect);
    drawRunModes();
    if (entering) {
        placeTwips(Frame1, 35, -70, Width() - 200, 450);
        Frame1->show();
        Frame1->raise();
        setListColor(kEditTint);
    } else {
        Frame1->hide();
        setListColor(kAfterEditTint);
    }
    for (QPushButton* b : {mBack, Parent, Find}) b->setEnabled(!entering);
}

void Form1::mEndEdit_Click() {
    mnuOrder_Click();
    List1->setFocus();
}

void Form1::EditList_Click() {
    Timer2->stop();
    mnuOrder_Click();
}

void Form1::EditList_MouseDown(int Button) {
    if (Button == 1) mnuOrder_Click();
    if (Button == 2) mnuEdit_Click();
    List1->setFocus();
}

void Form1::mEndEdit_MouseDown(int Button) {
    EditList_MouseDown(Button);
}

bool Form1::mSave_Click() {
    return SaveList();
}

// ================= entry commands ===========================================

// Copy: the selected entry's full path to the clipboard and to the model.
void Form1::CopyEntryPath() {
    Timer2->stop();
    const int cur = List1->SelectedItem();
    if (cur < 1) {
        dlg_.message(QStringLiteral("Item selected is not valid."));
        return;
    }
    if (!List1->Selected(cur)) return;
    const ListModel& items = List1->ListItems();
    const std::optional<QString> path =
        entryrules::copyablePath(items.SubItem(cur, 1), items.SubItem(cur, 2));
    // Bare program names, addresses and sublists have no path to copy.
    if (!path) return;
    plat_.setClipboardText(*path);
    model_.setCopiedPath(*path);
}

void Form1::mnuCopy_Click() {
    CopyEntryPath();
}

void Form1::mnuPaste_Click() {
    // The clipboard is never read: only a path copied here is pasted.
    if (!model_.allows(Command::Paste) || model_.copiedPath().isEmpty()) return;
    AddPathEntry(model_.copiedPath());
    SaveList();
}

void Form1::mnuDelete_Click() {
    CopyEntryPath();
    mDelete_Click();
}

void Form1::mDelete_Click() {
    if (!model_.allows(Command::Delete)) return;
    ListModel& items = List1->ListItems();
    if (items.Count() == 0) return;
    const int cur = List1->SelectedItem();
    if (cur >= 1 && List1->Selected(cur)) {
        model_.list().remove(cur);
        items.Remove(cur);
    }
    CheckListOverflow();
    List1->setFocus();
}

// Move up (-1) or down (+1): rows exchange all their fields and their look,
// and the moved entry stays the selected one.
void Form1::moveEntry(int step) {
    if (!model_.allows(step < 0 ? Command::MoveUp : Command::MoveDown)) return;
    ListModel& items = List1->ListItems();
    if (items.Count() == 0) return;
    const int cur = List1->SelectedItem();
    const int target =
        editrules::moveTarget(cur, items.Count(), cur >= 1 && List1->Selected(cur), step);
    if (target > 0) {
        model_.list().swap(cur, target);
        items.Swap(cur, target);
        List1->SetSelected(target, true);
    }
    List1->setFocus();
}

void Form1::mUp_Click() {
    moveEntry(-1);
}

void Form1::mDown_Click() {
    moveEntry(+1);
}

void Form1::mNew_Click() {
    if (!model_.allows(Command::NewSublist)) return;
    const QString name =
        fieldText(dlg_.input(QStringLiteral("name for new sublist?")).value_or(QString()));
    if (name.isEmpty()) {
        List1->setFocus();
        return;
    }
    // Refused before anything is added: the entry could never open a list.
    if (!editrules::isValidSublistName(name)) {
        dlg_.message(notAListName(name));
        List1->setFocus();
        return;
    }
    ListEntry e;
    e.title = name;
    e.color = listfile::kSublistColor;
    e.bold = true;
    model_.list().add(e);
    drawAdded(List1->ListItems(), e);
    GrowForNewEntry();
    mSave_Click();
    const QString file = listfile::pathFor(appPath_, editrules::sublistStem(name));
    if (!FileExists(file) && !QFileInfo::exists(file)) {
        // An empty file: the list of that name, with no entries yet.
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            dlg_.message(QStringLiteral("Could not create the list file \"%1\".").arg(file));
    }
    List1->setFocus();
}

void Form1::mnuNew_Click() {
    mNew_Click();
}

void Form1::RenameEntry() {
    const int cur = editableRow(Command::Rename);
    if (cur < 1) return;
    const ListEntry& entry = model_.list().entry(cur);
    const QString oldTitle = entry.title;
    const QString answer =
        fieldText(dlg_.input(QString(), QStringLiteral("Rename"), oldTitle).value_or(QString()));
    if (answer.isEmpty()) return;
    // A sublist's list file takes the new name beside it.
    if (entry.fields[0].isEmpty() && !editrules::isValidSublistName(answer)) {
        dlg_.message(notAListName(answer));
        return;
    }
    const QString oldFile = listfile::pathFor(appPath_, editrules::sublistStem(oldTitle));
    const QString newStem = editrules::sublistStem(answer);
    const QString newFile = listfile::pathFor(appPath_, newStem);
    // The rename saves the list: a change of its file by another program
    // is settled first, and taking that change drops the rename with it.
    switch (model_.settleOutsideChange(
        true, [this](const QString& file) { return KeepMineOverOutsideChange(file); })) {
        case LauncherModel::Outside::Reloaded:
            DrawLoadedList();
            return;
        case LauncherModel::Outside::Open:
        case LauncherModel::Outside::None:
        case LauncherModel::Outside::Kept:
            break;
    }
    switch (model_.list().rename(cur, answer)) {
        case ListDocument::Rename::Done:
            break;
        case ListDocument::Rename::NameTaken:
            dlg_.message(QStringLiteral("There is a list \"%1\" already. The entry keeps its "
                                        "name, and both lists stay as they are.")
                             .arg(listfile::displayName(newStem)));
            return;
        case ListDocument::Rename::SaveFailed:
            dlg_.message(QStringLiteral("Could not save file \"%1\": %2")
                             .arg(model_.list().path(), model_.list().error()));
            return;
        case ListDocument::Rename::FileNotMoved:
        case ListDocument::Rename::RollbackFailed:
            dlg_.message(QStringLiteral("Could not rename the list file \"%1\" to \"%2\".")
                             .arg(oldFile, newFile));
            break;
    }
    drawEntry(List1->ListItems(), cur, model_.list().entry(cur));
    if (isVisible()) List1->setFocus();
}

void Form1::mnuRename_Click() {
    RenameEntry();
}

void Form1::EditEntryArguments() {
    const int cur = editableRow(Command::EditArguments);
    if (cur < 1) return;
    const QString answer = fieldText(
        dlg_.input(QStringLiteral("input arguments"), QString(), model_.list().entry(cur).fields[2])
            .value_or(QString()));
    if (answer.isEmpty() && !dlg_.question(QStringLiteral("Clear arguments?"))) return;
    model_.list().setField(cur, 3, answer);
    drawEntry(List1->ListItems(), cur, model_.list().entry(cur));
}

void Form1::mnuArgs_Click() {
    EditEntryArguments();
}

void Form1::mnuBold_Click() {
    const int cur = editableRow(Command::Bold);
    if (cur < 1) return;
    ListDocument& list = model_.list();
    const bool bold = !list.entry(cur).bold;
    list.setLook(cur, list.entry(cur).color, bold);
    list.setField(cur, 5, bold ? QStringLiteral("Bold") : QString());
    drawEntry(List1->ListItems(), cur, list.entry(cur));
}

// ================= colours ==================================================

void Form1::mnuColor_Click() {
    const int cur = editableRow(Command::SetColor);
    if (cur < 1) return;
    ListModel& items = List1->ListItems();
    Timer2->stop();
    // The dialog opens on the row's own colour, not on the lighter or darker
    // shade it may be drawn in; a row without one opens on the text colour.
    const std::uint32_t own = items.ForeColor(cur);
    QColor shown = own != listfile::kDefaultTextColor
                       ? colorFromValue(own)
                       : items.data(items.index(cur - 1, 0), Qt::ForegroundRole).value<QColor>();
    if (!shown.isValid()) shown = List1->palette().color(QPalette::Text);
    editrules::ColorCodeToRGB(
        std::int32_t(shown.red() + 256 * shown.green() + 65536 * shown.blue()), edit_.mR, edit_.mG,
        edit_.mB);
    SetListDirty(true);
    {
        Dialog dialog(edit_.mR, edit_.mG, edit_.mB, TwipsPerPixelX(), TwipsPerPixelY(), dlg_, this);
        dialog.exec();
        if (dialog.Cancelled()) {
            SetListDirty(false);
        } else {
            edit_.mR = dialog.Red();
            edit_.mG = dialog.Green();
            edit_.mB = dialog.Blue();
        }
    }
    // However the dialog closed, the row keeps the colour chosen or shown.
    ListDocument& list = model_.list();
    const bool dirty = list.dirty();
    list.setLook(cur, editrules::colorValue(edit_.mR, edit_.mG, edit_.mB), list.entry(cur).bold);
    list.setField(cur, 4, editrules::colorField(edit_.mR, edit_.mG, edit_.mB));
    list.setDirty(dirty);
    drawEntry(items, cur, list.entry(cur));
    List1->SetSelected(cur, false);
    SaveList();
}

// ================= adding entries from files ================================

bool Form1::AddPathEntry(const QString& P) {
    if (!model_.allows(Command::AddFromFile)) return false;
    QString p = P;
    QString arguments;
    if (editrules::isShortcutPath(p) && dlg_.question(QString::fromLatin1(kShortcutQuestion))) {
        QString target, workingDirectory, shortcutArguments, iconFile;
        int iconIndex = 0, showCommand = 1;
        if (!ResolveShortcut(p, target, workingDirectory, shortcutArguments, iconFile, iconIndex,
                             showCommand)) {
            dlg_.message(QString::fromLatin1(kCouldNotAdd));
            return false;
        }
        target = target.trimmed();
        // A shortcut to nothing with a path stays the shortcut itself.
        if (!target.isEmpty()) {
            // Programs on PATH get their whole path, and with it a title.
            if (!target.contains(u'/')) {
                const QString found = plat_.findProgram(target, appPath_);
                if (!found.isEmpty()) target = found;
            }
            p = target;
            arguments = fieldText(shortcutArguments.trimmed());
        }
    }
    // A name with a tab or a line break would split the list's line.
    if (const QString refused = editrules::unstorablePathText(p); !refused.isEmpty()) {
        dlg_.message(refused);
        return false;
    }
    const std::optional<editrules::PathEntry> e = editrules::entryFromPath(p, plat_.fileExists(p));
    if (!e) {
        dlg_.message(QString::fromLatin1(kCouldNotAdd));
        return false;
    }
    ListEntry entry;
    entry.title = e->title;
    entry.fields = {e->filename, e->path, arguments, QString(), QString()};
    model_.list().add(entry);
    drawAdded(List1->ListItems(), entry);
    GrowForNewEntry();
    return true;
}

void Form1::Browse_Click() {
    Timer2->stop();
    if (!model_.allows(Command::AddFromFile)) return;
    const QString file = dlg_.openFileName(QStringLiteral("Open"), QString());
    if (file.isEmpty()) return;
    AddPathEntry(file);
    SaveList();
}

void Form1::Browse_MouseUp(int Button) {
    if (Button == 2) {
        model_.setStatusShown(!model_.statusShown());
        drawRunModes();
    }
    List1->setFocus();
}

void Form1::List1_OLEDragDrop(const QMimeData& data) {
    if (!model_.allows(Command::Drop)) return;
    const QString path = editrules::droppedPath(data.hasUrls() ? data.urls() : QList<QUrl>(),
                                                data.hasText() ? data.text() : QString());
    // A drop with nothing to add leaves the list as it was.
    if (path.isEmpty()) return;
    AddPathEntry(path);
    SaveList();
}

void Form1::mnuBrowse_Click() {
    if (ReportUnreadableList(QStringLiteral("Could not add an entry to"))) return;
    const int cur = editableRow(Command::BrowseForEntry);
    if (cur < 1) return;
    ListDocument& list = model_.list();
    const QString file = dlg_.openFileName(QStringLiteral("Look for: ") + list.entry(cur).fields[0],
                                           list.entry(cur).fields[1]);
    if (file.isEmpty()) return;
    const int n = list.count();
    if (!AddPathEntry(file) || list.count() != n + 1) return;
    const ListEntry found = list.entry(n + 1);
    list.setField(cur, 1, found.fields[0]);
    list.setField(cur, 2, found.fields[1]);
    list.setTitle(cur, found.title);
    list.remove(n + 1);
    List1->ListItems().Remove(n + 1);
    drawEntry(List1->ListItems(), cur, list.entry(cur));
    SaveList();
}

// ================= external editing =========================================

void Form1::mnuEdit_Click() {
    if (!model_.allows(Command::EditListFile)) return;
    // The file as last written; unsaved changes in the view are not in it.
    startEditor(plat_, dlg_, QString::fromLatin1(kNotepad),
                listfile::pathFor(appPath_, model_.list().stem()));
}

void Form1::mnuEditor_Click() {
    const int cur = List1->SelectedItem();
    if (cur < 1) return;
    const ListModel& items = List1->ListItems();
    const entryrules::EntryFields entry =
        entryrules::fieldsOf(items.SubItem(cur, 1), items.SubItem(cur, 2), items.SubItem(cur, 3));
    const QString editor =
        config_.editor.trimmed().isEmpty() ? QStringLiteral("notepad.exe") : config_.editor;
    startEditor(plat_, dlg_, editor, editrules::editorFile(entry.filename, entry.path));
}
