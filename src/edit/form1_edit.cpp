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

void applyCommands(Form1& f, const editrules::EditCommands& c) {
    f.EditList->setEnabled(c.editList);
    f.Browse->setEnabled(c.browse);
    f.mnuBold->setEnabled(c.bold);
    f.mnuColor->setEnabled(c.color);
    f.mnuRename->setEnabled(c.rename);
    f.mnuDelete->setEnabled(c.del);
    f.mnuEdit->setEnabled(c.edit);
    f.mnuOrder->setEnabled(c.order);
    f.mnuNew->setEnabled(c.newList);
    f.mnuArgs->setEnabled(c.args);
    f.mnuBrowse->setEnabled(c.browseFor);
}

// The current row for a command that changes the list: none outside a
// list loaded from its file.
int editableRow(const Form1& f) {
    return f.EditableView() ? f.List1->SelectedItem() : 0;
}

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

// Moves a file to a name that is free, in one step; never over another file.
bool renameWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system without the no-replace rename: the caller has seen
    // that the new name is free.
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (QFileInfo::exists(to)) return false;
    return std::rename(a.constData(), b.constData()) == 0;
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
    explicit EditEvents(Form1& form) : QObject(&form), f_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease: {
                const int b = button(static_cast<QMouseEvent*>(e)->button());
                const bool press = e->type() != QEvent::MouseButtonRelease;
                if (watched == f_.EditList || watched == f_.mEndEdit) {
                    auto* w = static_cast<QWidget*>(watched);
                    if (!w->isEnabled()) return false;
                    if (press)
                        watched == f_.EditList ? f_.EditList_MouseDown(b)
                                               : f_.mEndEdit_MouseDown(b);
                    return true;
                }
                if (watched == f_.Browse && !press && f_.Browse->isEnabled()) f_.Browse_MouseUp(b);
                return false;
            }
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* d = static_cast<QDropEvent*>(e);
                if (f_.EditableView() && (d->mimeData()->hasUrls() || d->mimeData()->hasText()))
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
};

}  // namespace

void Form1::setupEditEvents() {
    auto* events = new EditEvents(*this);
    for (QWidget* w : {static_cast<QWidget*>(EditList), static_cast<QWidget*>(mEndEdit),
                       static_cast<QWidget*>(Browse), List1->viewport()})
        w->installEventFilter(events);
    List1->setAcceptDrops(true);
    List1->viewport()->setAcceptDrops(true);
}

// ================= edit mode and availability ===============================

bool Form1::EditableView() const {
    return !shownList_.isEmpty();
}

bool Form1::EditMode() const {
    return edit_.EditMode();
}

void Form1::DisableEditCommands() {
    applyCommands(*this, editrules::commandsFor(editrules::EditView::SearchResults));
}

void Form1::SetEmptyListCommands() {
    DisableEditCommands();
    applyCommands(*this, editrules::commandsFor(editrules::EditView::EmptyList));
}

void Form1::mnuOrder_Click() {
    if (!mnuOrder->isEnabled()) return;
    const bool entering = !EditMode();
    edit_.SetEditMode(entering);
    mnuOrder->setChecked(entering);
    if (entering) {
        // Hover selection would move the selection away from the entry
        // being edited; the counter value 5 remembers it was on.
        if (config_.hoverSelect) {
            readiness_ = 5;
            config_.hoverSelect = false;
        }
        placeTwips(Frame1, 35, -70, Width() - 200, 450);
        Frame1->show();
        Frame1->raise();
        List1->SetBackColor(kEditTint);
    } else {
        if (Readiness() == 5) config_.hoverSelect = true;
        Frame1->hide();
        List1->SetBackColor(kAfterEditTint);
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
    if (!EditableView()) return false;
    return SaveList();
}

// ================= entry commands ===========================================

// Copy: the selected entry's full path to the clipboard and to CopiedPath.
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
    edit_.SetCopiedPath(*path);
}

void Form1::mnuCopy_Click() {
    CopyEntryPath();
}

void Form1::mnuPaste_Click() {
    // The clipboard is never read: only a path copied here is pasted.
    if (!EditableView() || edit_.CopiedPath().isEmpty()) return;
    AddPathEntry(edit_.CopiedPath());
    SaveList();
}

void Form1::mnuDelete_Click() {
    CopyEntryPath();
    mDelete_Click();
}

void Form1::mDelete_Click() {
    if (!EditableView()) return;
    ListModel& items = List1->ListItems();
    if (items.Count() == 0) return;
    const int cur = List1->SelectedItem();
    if (cur >= 1 && List1->Selected(cur)) {
        items.Remove(cur);
        SetListDirty(true);
    }
    CheckListOverflow();
    List1->setFocus();
}

namespace {

// Move up (-1) or down (+1): rows exchange all their fields and their look,
// and the moved entry stays the selected one.
void moveEntry(Form1& f, int step) {
    if (!f.EditableView()) return;
    ListModel& items = f.List1->ListItems();
    if (items.Count() == 0) return;
    const int cur = f.List1->SelectedItem();
    const int target =
        editrules::moveTarget(cur, items.Count(), cur >= 1 && f.List1->Selected(cur), step);
    if (target > 0) {
        items.Swap(cur, target);
        f.List1->SetSelected(target, true);
        f.SetListDirty(true);
    }
    f.List1->setFocus();
}

}  // namespace

void Form1::mUp_Click() {
    moveEntry(*this, -1);
}

void Form1::mDown_Click() {
    moveEntry(*this, +1);
}

void Form1::mNew_Click() {
    if (!EditableView()) return;
    const QString name = fieldText(dlg_.input(QStringLiteral("name for new sublist?")));
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
    ListModel& items = List1->ListItems();
    const int i = items.Add(name);
    items.SetForeColor(i, listfile::kSublistColor);
    items.SetBold(i, true);
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
    const int cur = editableRow(*this);
    if (cur < 1) return;
    ListModel& items = List1->ListItems();
    const QString oldTitle = items.Text(cur);
    const QString answer = fieldText(dlg_.input(QString(), QStringLiteral("Rename"), oldTitle));
    if (answer.isEmpty()) return;
    if (items.SubItem(cur, 1).isEmpty()) {
        // A sublist: its list file takes the new name beside it.
        if (!editrules::isValidSublistName(answer)) {
            dlg_.message(notAListName(answer));
            return;
        }
        const QString oldStem = editrules::sublistStem(oldTitle);
        const QString newStem = editrules::sublistStem(answer);
        const QString oldFile = listfile::pathFor(appPath_, oldStem);
        const QString newFile = listfile::pathFor(appPath_, newStem);
        if (oldStem != newStem && listfile::isSafeStem(oldStem) && QFileInfo::exists(oldFile)) {
            if (QFileInfo::exists(newFile)) {
                dlg_.message(QStringLiteral("There is a list \"%1\" already. The entry keeps its "
                                            "name, and both lists stay as they are.")
                                 .arg(listfile::displayName(newStem)));
                return;
            }
            if (!renameWithoutReplacing(oldFile, newFile)) {
                dlg_.message(QStringLiteral("Could not rename the list file \"%1\" to \"%2\".")
                                 .arg(oldFile, newFile));
                return;
            }
        }
    }
    items.SetText(cur, answer);
    SetListDirty(true);
    SaveList();
}

void Form1::mnuRename_Click() {
    RenameEntry();
}

void Form1::EditEntryArguments() {
    const int cur = editableRow(*this);
    if (cur < 1) return;
    ListModel& items = List1->ListItems();
    const QString answer =
        fieldText(dlg_.input(QStringLiteral("input arguments"), QString(), items.SubItem(cur, 3)));
    if (answer.isEmpty() && !dlg_.question(QStringLiteral("Clear arguments?"))) return;
    items.SetSubItem(cur, 3, answer);
    SetListDirty(true);
}

void Form1::mnuArgs_Click() {
    EditEntryArguments();
}

void Form1::mnuBold_Click() {
    const int cur = editableRow(*this);
    if (cur < 1) return;
    ListModel& items = List1->ListItems();
    const bool bold = !items.Bold(cur);
    items.SetBold(cur, bold);
    items.SetSubItem(cur, 5, bold ? QStringLiteral("Bold") : QString());
    SetListDirty(true);
}

// ================= colours ==================================================

void Form1::mnuColor_Click() {
    const int cur = editableRow(*this);
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
    items.SetForeColor(cur, editrules::colorValue(edit_.mR, edit_.mG, edit_.mB));
    items.SetSubItem(cur, 4, editrules::colorField(edit_.mR, edit_.mG, edit_.mB));
    List1->SetSelected(cur, false);
    SaveList();
}

// ================= adding entries from files ================================

bool Form1::AddPathEntry(const QString& P) {
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
    const std::optional<editrules::PathEntry> e = editrules::entryFromPath(p, plat_.fileExists(p));
    if (!e) {
        dlg_.message(QString::fromLatin1(kCouldNotAdd));
        return false;
    }
    ListModel& items = List1->ListItems();
    const int i = items.Add(e->title);
    items.SetSubItem(i, 1, e->filename);
    items.SetSubItem(i, 2, e->path);
    items.SetSubItem(i, 3, arguments);
    GrowForNewEntry();
    return true;
}

void Form1::Browse_Click() {
    Timer2->stop();
    if (!EditableView()) return;
    const QString file = dlg_.openFileName(QStringLiteral("Open"), QString());
    if (file.isEmpty()) return;
    AddPathEntry(file);
    SaveList();
}

void Form1::Browse_MouseUp(int Button) {
    if (Button == 2) Label3->setVisible(Label3->isHidden());
    List1->setFocus();
}

void Form1::List1_OLEDragDrop(const QMimeData& data) {
    if (!EditableView()) return;
    const QString path = editrules::droppedPath(data.hasUrls() ? data.urls() : QList<QUrl>(),
                                                data.hasText() ? data.text() : QString());
    // A drop with nothing to add leaves the list as it was.
    if (path.isEmpty()) return;
    AddPathEntry(path);
    SaveList();
}

void Form1::mnuBrowse_Click() {
    const int cur = editableRow(*this);
    if (cur < 1) return;
    ListModel& items = List1->ListItems();
    const QString file = dlg_.openFileName(QStringLiteral("Look for: ") + items.SubItem(cur, 1),
                                           items.SubItem(cur, 2));
    if (file.isEmpty()) return;
    const int n = items.Count();
    if (!AddPathEntry(file) || items.Count() != n + 1) return;
    items.SetSubItem(cur, 1, items.SubItem(n + 1, 1));
    items.SetSubItem(cur, 2, items.SubItem(n + 1, 2));
    items.SetText(cur, items.Text(n + 1));
    items.Remove(n + 1);
    SaveList();
}

// ================= external editing =========================================

void Form1::mnuEdit_Click() {
    // The file as last written; unsaved changes in the view are not in it.
    startEditor(plat_, dlg_, QString::fromLatin1(kNotepad),
                listfile::pathFor(appPath_, CurrentStem()));
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
