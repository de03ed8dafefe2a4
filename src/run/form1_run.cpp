#include "app/form1.h"

// Running entries and the keyboard table are not built yet: plain no-ops.

int Form1::RunEntry() { return 0; }
void Form1::RunSelection(int& runMode, float X, float Y) {
    Q_UNUSED(runMode);
    Q_UNUSED(X);
    Q_UNUSED(Y);
}
void Form1::ToggleStayOpen() {}
void Form1::ShowPopupMenu() {}
void Form1::ShowRunDialog() {}
void Form1::mRunThis_Click() {}
void Form1::mnuParent_Click() {}
void Form1::mnuRun_Click() {}
void Form1::mnuMyRun_Click() {}
void Form1::mnuPendix_Click() {}
void Form1::List1_MouseDown(int, int, float, float) {}
void Form1::List1_MouseUp(int, int, float, float) {}
void Form1::List1_KeyDown(int&, int) {}
void Form1::List1_KeyPress(int&) {}
void Form1::Form_KeyUp(int&, int) {}
void Form1::myRun_KeyDown(int&, int) {}
