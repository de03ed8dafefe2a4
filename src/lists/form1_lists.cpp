#include <QFileInfo>

#include "app/form1.h"
#include "lists/listfile.h"
#include "lists/textfile.h"
#include "platform/dialogs.h"
#include "platform/platform.h"

QString Form1::LoadList(QString& name) {
    Search().List3().clear();
    name = listfile::cleanName(name);
    // Names come from command lines, relayed words and sublist titles: none
    // of them may reach a file outside the program folder.
    if (!listfile::isSafeStem(name)) {
        QString shown = name;
        shown.replace(QChar(u'\0'), QStringLiteral("\\0"));
        dlg_.message(QStringLiteral("Not a valid list name: \"%1\"\r\nA list name may not contain "
                                    "\"/\" or a NUL character.")
                         .arg(shown));
        // The rows stay on screen, but they are no list that may be saved.
        model_.showList(name);
        return QString();
    }
    setCaption(listfile::captionFor(name));

    const QString file = listfile::pathFor(appPath_, name);
    if (!FileExists(file)) {
        dlg_.message(QStringLiteral("New list? Trying to create it."));
        // Only where nothing stands yet: a folder or special file of that
        // name is left alone and the list simply stays empty.
        if (!QFileInfo::exists(file)) textfile::writeLines(file, listfile::newListLines());
    }

    // A list that could not be read shows empty; saving that would empty
    // its file, or write into something that is no list file.
    // The list held is shown again unless its file changed: going back to
    // a list of a million entries costs one reset of the view, not a read.
    if (!model_.reshowList(name))
        dlg_.message(QStringLiteral("Could not read the list file \"%1\": %2\r\nThe list is shown "
                                    "empty and cannot be changed or saved.")
                         .arg(model_.list().path(), model_.list().error()));
    DrawLoadedList();
    if (isVisible() && config_.autoShowHide && Timer2->isActive()) {
        plat_.setCursorPos(
            QPoint(TwipsToPixels(Left() + Width() / 2, false), TwipsToPixels(Top(), true) + 60));
    }
    return QString();
}

void Form1::DrawLoadedList() {
    ResetListView();
    List1->ListItems().SetRows(model_.list().rows());

    Search().setSearchShown(false);
    if (!EditableView())
        DisableEditCommands();
    else if (List1->ListItems().Count() == 0)
        SetEmptyListCommands();
    FitWindowToList();
    UpdateDateAndStartTime();
}

bool Form1::SaveList() {
    // Search results, a refused name or an unreadable file are not a list:
    // writing them would replace a list's file with something else.
    switch (model_.save([this](const QString& file) { return KeepMineOverOutsideChange(file); })) {
        case LauncherModel::Save::Refused:
            ReportUnreadableList(QStringLiteral("Could not save file"));
            return false;
        case LauncherModel::Save::Failed:
            dlg_.message(QStringLiteral("Could not save file \"%1\": %2")
                             .arg(model_.list().path(), model_.list().error()));
            return false;
        case LauncherModel::Save::Reloaded:
            DrawLoadedList();
            break;
        case LauncherModel::Save::Written:
            break;
    }
    if (isVisible()) List1->setFocus();
    return true;
}

bool Form1::KeepMineOverOutsideChange(const QString& file) {
    return dlg_.question(
        QStringLiteral("The list file \"%1\" was changed by another program since Brennomix "
                       "read it.\r\n\r\nYes: keep the changes made here and write them over "
                       "the file.\r\nNo: show the file as it is now and drop the changes made "
                       "here.")
            .arg(file));
}

bool Form1::ReportUnreadableList(const QString& what) {
    const ListDocument& list = model_.list();
    if (model_.view().kind != ViewKind::Nothing || list.loaded() || list.error().isEmpty())
        return false;
    dlg_.message(QStringLiteral("%1 \"%2\": the list file could not be read (%3).")
                     .arg(what, list.path(), list.error()));
    return true;
}

bool Form1::FileExists(const QString& path) {
    return plat_.fileExists(path);
}

void Form1::StartQuickSearch() {
    Search().setList4(nullptr);
    // From here on the view shows results, not the list.
    model_.showResults(ViewKind::QuickSearch);
    DisableEditCommands();
    setListColor(listfile::rgb(255, 255, 208));
    // The box filters the lines the list holds: its file is not read again.
    const QString stem = model_.view().listStem();
    const ListDocument& list = model_.list();
    if (list.loaded() && list.stem() == stem) {
        Search().setList4(list.heldLines());
    } else {
        SearchLines lines;
        if (listfile::isSafeStem(stem) && lines.readFile(listfile::pathFor(appPath_, stem)))
            Search().setList4(std::move(lines));
    }
    // With the quick-search setting off, the box filters the index instead.
    if (!config_.quickSearch) EnsureSearchIndex();
    showSearchBox(true);
    Text2->raise();
    Text2->setFocus();
    Text2->end(false);
}
