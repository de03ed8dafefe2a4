#include "app/form1.h"

// Command words relayed by a second copy arrive as changes of Text1.
void Form1::Text1_Change() {}

void Form1::RunDigitSequence(const QString& word) { Q_UNUSED(word); }

void Form1::ClickIntoWindow() {}
