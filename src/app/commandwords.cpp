#include <stdexcept>

#include "app/commandword.h"
#include "app/form1.h"
#include "lists/listfile.h"
#include "platform/platform.h"

// Command words relayed by a second copy, each acted on as it comes. The
// first test that matches decides; any failure ends in a close request.
void Form1::Text1_Change(const QString& word) {
    try {
        // The dummy word a second copy sends first asks nothing.
        if (word == QLatin1String(commandword::kDummyWord)) return;
        if (const std::optional<Command> c = command::fromWord(word)) {
            switch (*c) {
                case Command::Quit:
                case Command::ShowDesktop:
                    Do(*c);
                    return;
                case Command::RefreshIndex:
                    ShowWin();
                    ClickIntoWindow();
                    Do(*c);
                    CloseRequest();
                    return;
                default:
                    ShowWin();
                    ClickIntoWindow();
                    Do(*c);
                    return;
            }
        }
        if (config_.hideWhenRecalled && isVisible()) {
            CloseRequest();
            return;
        }

        ShowWin();
        ClickIntoWindow();
        QString rest = word;
        if (const std::optional<QString> r = command::runPrefixRest(word)) {
            rest = *r;
            // The rest is handled as a word of its own before it is started.
            Text1_Change(rest);
            if (ended_) return;
            plat_.startCommandLine(rest, 2);
        }
        const QString restLower = rest.toLower();
        if (restLower == u"/hide") {
            Do(Command::Hide);
        } else if (restLower == u"/lock") {
            plat_.beep();
            Do(Command::Lock);
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
    // A word whose handling opened a dialog is still on the stack: the new
    // words follow when it returns, so the order stays.
    model_.deliverWords(
        words, startedUp_, [this](const QString& word) { Text1_Change(word); },
        [this] { return ended_; });
}
