#include <QApplication>

#include "app/form1.h"
#include "lists/listfile.h"
#include "platform/dialogs.h"
#include "run/entryrules.h"

namespace {
const char* const kColumnCaptions[ListModel::kColumns] = {"Name",      "Filename",   "Path",
                                                          "Arguments", "RGB colors", "Bold"};
}

void Form1::ResetListView() {
    if (!model_.modes().editMode) setListColor(ListView::kSystemWindowColor);
    showDigits(true);
    showSearchBox(false);
    Text2->clear();
    EditList->setEnabled(true);
    Browse->setEnabled(true);
    for (QAction* a :
         {mnuBold, mnuColor, mnuRename, mnuDelete, mnuEdit, mnuOrder, mnuNew, mnuArgs, mnuBrowse})
        a->setEnabled(true);
    SetListDirty(false);
}

void Form1::ToggleColumns() {
    if (List1->HideColumnHeaders()) {
        List1->SetHideColumnHeaders(false);
        for (int c = 1; c <= ListModel::kColumns; ++c)
            List1->ListItems().SetColumnText(c, QString::fromLatin1(kColumnCaptions[c - 1]));
        for (int c = 2; c <= ListModel::kColumns; ++c) List1->SetColumnWidth(c, 1500);
    } else {
        List1->SetHideColumnHeaders(true);
        for (int c = 2; c <= ListModel::kColumns; ++c) List1->SetColumnWidth(c, 0);
    }
}

void Form1::mBack_Click() {
    Timer2->stop();
    if (!AskSaveList()) return;
    QString back = model_.back();
    LoadList(back);
}

void Form1::Parent_Click() {
    Timer2->stop();
    if (!AskSaveList()) return;
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    QString top = QString::fromLatin1(listfile::kTopStem);
    LoadList(top);
    List1->setFocus();
}

bool Form1::AskSaveList() {
    if (ListDirty() && dlg_.question(QStringLiteral("List not saved. Save now?"))) {
        // In a view of search results there is no list to write.
        if (!EditableView()) {
            SetListDirty(false);
            return true;
        }
        return mSave_Click();
    }
    SetListDirty(false);
    return true;
}

void Form1::CheckEntries() {
    if (Search().scanBusy()) return;
    mDate->setText(QStringLiteral("CHECKING IF ENTRIES ARE VALID"));
    repaint();
    ListModel& items = List1->ListItems();
    for (int i = 1; i <= items.Count(); ++i) {
        List1->SetSelected(i, true);
        const QString file = items.SubItem(i, 1);
        if (file.isEmpty()) continue;
        if (FileExists(entryrules::fullPath(file, items.SubItem(i, 2)))) continue;
        // The mark only shows; it reaches the file if the list is saved.
        items.SetText(i, QStringLiteral(" ! ") + items.Text(i));
        if (EditableView()) model_.list().markTitle(i, QStringLiteral(" ! "));
    }
    mDate->setText(QStringLiteral("IF ENTRY STARTS WITH ' ! ' THIS MEANS IT IS NOT VALID."));
}
