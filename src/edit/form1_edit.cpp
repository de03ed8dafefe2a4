#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "run/entryrules.h"

// Edit-mode commands that are not built yet do nothing.

bool Form1::EditableView() const {
    return !shownList_.isEmpty();
}

bool Form1::EditMode() const {
    return mnuOrder->isChecked();
}

void Form1::DisableEditCommands() {
    EditList->setEnabled(false);
    Browse->setEnabled(false);
    for (QAction* a :
         {mnuBold, mnuColor, mnuRename, mnuDelete, mnuEdit, mnuOrder, mnuNew, mnuArgs, mnuBrowse})
        a->setEnabled(false);
}

void Form1::SetEmptyListCommands() {
    DisableEditCommands();
    Browse->setEnabled(true);
    EditList->setEnabled(true);
    mnuOrder->setEnabled(true);
    mnuNew->setEnabled(true);
}

bool Form1::mSave_Click() {
    if (!EditableView()) return false;
    return SaveList();
}

void Form1::mnuOrder_Click() {}
void Form1::mEndEdit_Click() {}
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
    CopiedPath = *path;
}
void Form1::mnuCopy_Click() {
    CopyEntryPath();
}
void Form1::mnuPaste_Click() {}
void Form1::mnuDelete_Click() {}
void Form1::mDelete_Click() {}
void Form1::mUp_Click() {}
void Form1::mDown_Click() {}
void Form1::mNew_Click() {}
void Form1::mnuNew_Click() {}
void Form1::RenameEntry() {}
void Form1::mnuRename_Click() {}
void Form1::EditEntryArguments() {}
void Form1::mnuArgs_Click() {}
void Form1::mnuBold_Click() {}
void Form1::mnuColor_Click() {}
void Form1::mnuBrowse_Click() {}
void Form1::Browse_Click() {}
void Form1::mnuEdit_Click() {}
void Form1::mnuEditor_Click() {}
void Form1::EditList_Click() {}
