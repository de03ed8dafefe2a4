#include <QFileInfo>

#include "app/form1.h"
#include "lists/listfile.h"
#include "lists/textfile.h"
#include "platform/dialogs.h"
#include "platform/platform.h"

namespace {

// Builds the rows of a list file in one go, so the view takes them in one
// insertion however long the list is.
std::vector<ListModel::Row> rowsFromLines(const QStringList& lines) {
    std::vector<ListModel::Row> rows;
    rows.reserve(size_t(lines.size()));
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;
        listfile::ParsedLine p = listfile::parseLine(line);
        ListModel::Row r;
        r.text = p.fields[0];
        for (qsizetype k = 1; k < p.fields.size(); ++k) r.sub[size_t(k - 1)] = p.fields[k];
        r.color = p.color;
        r.bold = p.bold;
        rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace

// The caption names the shown list. A list read under a stem that the
// caption cannot give back (one not starting with "m", or "mLauncher") is
// still written to the file it was read from, never into another list's file.
QString Form1::CurrentStem() const {
    const QString caption = windowTitle();
    if (!loadedStem_.isEmpty() && caption == listfile::captionFor(loadedStem_)) return loadedStem_;
    return listfile::stemFromCaption(caption);
}

QString Form1::LoadList(QString& name) {
    Search().List3().clear();
    // Until the file is read, the view shows no list that could be saved.
    shownList_.clear();
    name = listfile::cleanName(name);
    // Names come from command lines, relayed words and sublist titles: none
    // of them may reach a file outside the program folder.
    if (!listfile::isSafeStem(name)) {
        QString shown = name;
        shown.replace(QChar(u'\0'), QStringLiteral("\\0"));
        dlg_.message(QStringLiteral("Not a valid list name: \"%1\"\r\nA list name may not contain "
                                    "\"/\" or a NUL character.")
                         .arg(shown));
        return QString();
    }
    setWindowTitle(listfile::captionFor(name));
    loadedStem_ = name;

    const QString file = listfile::pathFor(appPath_, name);
    if (!FileExists(file)) {
        dlg_.message(QStringLiteral("New list? Trying to create it."));
        // Only where nothing stands yet: a folder or special file of that
        // name is left alone and the list simply stays empty.
        if (!QFileInfo::exists(file)) textfile::writeLines(file, listfile::newListLines());
    }

    QStringList lines;
    const bool read = textfile::readLines(file, lines) == textfile::ReadStatus::Ok;
    List1->ListItems().Clear();
    ResetListView();
    List1->ListItems().AddRows(rowsFromLines(lines));
    // A list that could not be read shows empty; saving that would empty
    // its file, or write into something that is no list file.
    if (read) shownList_ = name;

    Search().setSearchShown(false);
    if (List1->ListItems().Count() == 0) SetEmptyListCommands();
    FitWindowToList();
    UpdateDateAndStartTime();
    if (isVisible() && config_.autoShowHide && Timer2->isActive()) {
        plat_.setCursorPos(
            QPoint(TwipsToPixels(Left() + Width() / 2, false), TwipsToPixels(Top(), true) + 60));
    }
    return QString();
}

bool Form1::SaveList() {
    // Search results, a refused name or an unreadable file are not a list:
    // writing them would replace a list's file with something else.
    if (!EditableView()) return false;
    const QString stem = shownList_;
    const ListModel& items = List1->ListItems();
    QStringList lines;
    lines.reserve(items.Count());
    for (int i = 1; i <= items.Count(); ++i) {
        lines << listfile::formatLine(
            items.Text(i), {items.SubItem(i, 1), items.SubItem(i, 2), items.SubItem(i, 3),
                            items.SubItem(i, 4), items.SubItem(i, 5)});
    }
    if (!listfile::isSafeStem(stem) ||
        !textfile::writeLines(listfile::pathFor(appPath_, stem), lines)) {
        dlg_.message(QStringLiteral("Could not save file"));
        return false;
    }
    SetListDirty(false);
    if (isVisible()) List1->setFocus();
    return true;
}

bool Form1::FileExists(const QString& path) {
    return plat_.fileExists(path);
}

void Form1::StartQuickSearch() {
    Search().setList4({});
    // From here on the view shows results, not the list.
    shownList_.clear();
    if (EditList->isEnabled()) DisableEditCommands();
    List1->SetBackColor(listfile::rgb(255, 255, 208));
    const QString stem = CurrentStem();
    SearchLines lines;
    if (listfile::isSafeStem(stem) && lines.readFile(listfile::pathFor(appPath_, stem)))
        Search().setList4(std::move(lines));
    Text2->show();
    Text2->raise();
    Text2->setFocus();
    Text2->end(false);
}
