#include "app/form1.h"

// The desktop utilities and the Help button are not built yet: plain no-ops.

void Form1::UpdateDateAndStartTime() {}
void Form1::mnuHideIcons_Click() {}
void Form1::mnuMinimize_Click() {}
void Form1::mnuHideMinimize_Click() {}
void Form1::mnuLock_Click() {}
void Form1::myHelp_MouseUp(int, int, float, float) {}
void Form1::mnuHelp_Click() {}
void Form1::Label2_Click() {}
void Form1::mDate_Click() {}
void Form1::Label3_MouseUp(int, int, float, float) {}
void Form1::Parent_MouseUp(int, int, float, float) {}
