#include <stdexcept>

#include "app/commandword.h"
#include "app/form1.h"
#include "lists/listfile.h"
#include "platform/platform.h"

// Command words relayed by a second copy arrive as changes of Text1. The
// first test that matches decides; any failure ends in a close request.
void Form1::Text1_Change() {
    // A copy that is itself only relaying never acts on its own words.
    if (windowTitle() == u"TEMP-Launcher") return;
    try {
        const QString word = Text1->text();
        if (word == QLatin1String(commandword::kDummyWord)) return;
        if (word == u"quit") {
            if (mnuTray->isChecked()) mnuTray_Click();
            if (mnuStay->isChecked()) mnuStay_Click();
            CloseRequest();
            return;
        }
        const QString lower = word.toLower();
        if (lower == u"/showdesktop") {
            mnuHideMinimize_Click();
            return;
        }
        if (lower == u"/rescan") {
            ShowWin();
            ClickIntoWindow();
            mnuRefresh_Click();
            CloseRequest();
            return;
        }
        if (lower == u"/search") {
            ShowWin();
            ClickIntoWindow();
            mSearch(QStringLiteral("searchFS"));
            return;
        }
        if (config_.hideWhenRecalled && isVisible()) {
            CloseRequest();
            return;
        }

        ShowWin();
        ClickIntoWindow();
        QString rest = word;
        if (lower.contains(u"/r /")) {
            rest = word.mid(4);
            // The rest is handled as a word of its own before it is started.
            Text1->setText(rest);
            if (ended_) return;
            plat_.startCommandLine(rest, 2);
        }
        const QString restLower = rest.toLower();
        if (restLower == u"/hide") {
            myShowWin();
            if (mnuTray->isChecked() && isVisible()) hide();
        } else if (restLower == u"/lock") {
            plat_.beep();
            mnuLock_Click();
        } else {
            // A word with "/" can never name a list of the program folder.
            if (listfile::isSafeStem(rest) && FileExists(listfile::pathFor(appPath_, rest))) {
                QString name = rest;
                LoadList(name);
            }
            if (!RunDigitSequence(rest)) {
                CloseRequest();
                return;
            }
            if (!isVisible()) CloseRequest();
        }
    } catch (const std::exception&) {
        CloseRequest();
    }
}

// "/123" runs entry 1, then entry 2 of whatever list is shown then, and so
// on while the window stays visible. The first character is not examined.
bool Form1::RunDigitSequence(const QString& word) {
    if (!commandword::isNumeric(QStringView(word).mid(std::min<qsizetype>(1, word.size()))))
        return true;
    for (qsizetype i = 1; i < word.size(); ++i) {
        if (!isVisible()) continue;
        const int entry = commandword::digitEntry(word[i]);
        // A sign, point, exponent or blank, or an entry the list does not
        // have, ends the sequence here.
        if (entry == 0 || entry > List1->ListItems().Count()) return false;
        List1->SetSelected(entry, true);
        int mode = 0;
        RunSelection(mode, 0, 0);
    }
    if (!isVisible()) CloseRequest();
    return true;
}

// Makes the shown window the active one, the way the window manager wants
// it asked; nothing is clicked.
void Form1::ClickIntoWindow() {
    plat_.activateWindow(this);
}

void Form1::DeliverWords(const QStringList& words) {
    pendingWords_ += words;
    // A word whose handling opened a dialog is still on the stack: the new
    // words follow when it returns, so the order stays.
    if (deliveringWords_ || !startedUp_) return;
    deliveringWords_ = true;
    while (!pendingWords_.isEmpty() && !ended_) {
        const QString word = pendingWords_.takeFirst();
        // Like any text box, Text1 raises no change for the text it holds.
        if (Text1->text() != word) Text1->setText(word);
    }
    deliveringWords_ = false;
    if (ended_) pendingWords_.clear();
}
