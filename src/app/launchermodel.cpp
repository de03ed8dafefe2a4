#include "app/launchermodel.h"

#include "lists/listfile.h"

bool LauncherModel::showList(const QString& stem) {
    if (!listfile::isSafeStem(stem)) {
        // A refused name names no list: the way back stays where it was.
        list_.clear();
        view_.kind = ViewKind::Nothing;
        return false;
    }
    const bool read = list_.load(folder_, stem);
    view_ = ShownView{read ? ViewKind::List : ViewKind::Nothing, stem};
    return read;
}

void LauncherModel::showResults(ViewKind kind) {
    // Searching again from results keeps the list they were reached from.
    view_.kind = kind;
}

LauncherModel::Save LauncherModel::save() {
    if (!allows(Command::Save)) return Save::Refused;
    return list_.save() ? Save::Written : Save::Failed;
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
