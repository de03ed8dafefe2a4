#include "app/launchermodel.h"

#include "lists/listfile.h"

bool LauncherModel::showList(const QString& stem) {
    return show(stem, false);
}

bool LauncherModel::reshowList(const QString& stem) {
    return show(stem, true);
}

bool LauncherModel::show(const QString& stem, bool held) {
    if (!listfile::isSafeStem(stem)) {
        // A refused name names no list: the way back stays where it was.
        list_.clear();
        view_.kind = ViewKind::Nothing;
        return false;
    }
    const bool read = held ? list_.reopen(folder_, stem) : list_.load(folder_, stem);
    view_ = ShownView{read ? ViewKind::List : ViewKind::Nothing, stem};
    return read;
}

void LauncherModel::showResults(ViewKind kind) {
    // Searching again from results keeps the list they were reached from.
    view_.kind = kind;
}

LauncherModel::Save LauncherModel::save(const KeepMine& keepMine) {
    if (!allows(Command::Save)) return Save::Refused;
    switch (settleOutsideChange(false, keepMine)) {
        case Outside::Reloaded:
            return Save::Reloaded;
        case Outside::Open:
            return Save::Failed;
        case Outside::None:
        case Outside::Kept:
            break;
    }
    return list_.save() ? Save::Written : Save::Failed;
}

LauncherModel::Outside LauncherModel::settleOutsideChange(bool changing, const KeepMine& keepMine) {
    if (!view_.editable() || !list_.changedOnDisk()) return Outside::None;
    if (changing || list_.dirty()) {
        if (!keepMine) return Outside::Open;
        if (keepMine(list_.path())) {
            list_.acceptDiskState();
            return Outside::Kept;
        }
    }
    showList(view_.stem);
    return Outside::Reloaded;
}

bool LauncherModel::refreshOnRecall() {
    if (!view_.editable() || list_.dirty() || !list_.changedOnDisk(ListDocument::Check::Quick))
        return false;
    showList(view_.stem);
    return true;
}

QString LauncherModel::openSublist(const QString& title) {
    parentList_ = view_.listStem();
    return QStringLiteral("m") + title;
}

QString LauncherModel::back() {
    const QString target = parentList_;
    parentList_ = view_.listStem();
    return target;
}

void LauncherModel::deliverWords(const QStringList& words, bool startedUp,
                                 const std::function<void(const QString&)>& act,
                                 const std::function<bool()>& ended) {
    pendingWords_ += words;
    if (delivering_ || !startedUp) return;
    delivering_ = true;
    while (!pendingWords_.isEmpty() && !ended()) act(pendingWords_.takeFirst());
    delivering_ = false;
    if (ended()) pendingWords_.clear();
}
