#include "app/form1.h"
#include "lists/listfile.h"
#include "run/keycodes.h"

// The file-system search colours the list light green; its source is List2.
static constexpr std::uint32_t kFileSystemSearchColor = listfile::rgb(192, 255, 192);

// Filters the source lines by the search text. Result rows refer to their
// lines in the source, so no line is copied however many are found.
void Form1::Text2_Change() {
    if (Text2->isHidden()) return;
    const bool fileSystem = List1->BackColor() == kFileSystemSearchColor || !config_.quickSearch;
    const QStringList& source = fileSystem ? List2 : List4;
    const std::vector<int>& found = quickFilter_.update(source, Text2->text());
    // Rows take their text and colour from their line when they are shown.
    ListModel& items = List1->ListItems();
    items.SetResultSource(source, &quicksearch::rowText, &quicksearch::rowColor);
    items.AddResults(found, {});

    CheckListOverflow();
    List1->viewport()->update();
}

void Form1::Text2_KeyDown(int& KeyCode, int Shift) {
    const bool digit = (KeyCode >= '0' && KeyCode <= '9') ||
                       (KeyCode >= keycodes::Numpad0 && KeyCode <= keycodes::Numpad9);
    if (!digit) return;
    // A digit runs the result in that position; it never becomes search text.
    List1_KeyDown(KeyCode, Shift);
    KeyCode = 0;
}

void Form1::Text2_KeyUp(int& KeyCode, int Shift) {
    if (KeyCode == keycodes::Back && Shift == keycodes::CtrlMask) Text2->clear();
    if (KeyCode == keycodes::Escape) {
        if (List1->ListItems().Count() == 0) {
            QString top = QString::fromLatin1(listfile::kTopStem);
            LoadList(top);
        }
        KeyCode = 0;
    }
    if (KeyCode == keycodes::Return && List1->ListItems().Count() > 0) {
        List1->SetSelected(1, true);
        if (List1->ListItems().Count() == 1) {
            int mode = 0;
            RunSelection(mode, 0, 0);
        } else {
            List1->setFocus();
        }
    }
}

// Opening and closing the searches and the file-system index are not built
// yet: plain no-ops.
void Form1::mSearch(const QString&) {}
void Form1::mnuRefresh_Click() {}
void Form1::mnuFindFS_Click() {}
