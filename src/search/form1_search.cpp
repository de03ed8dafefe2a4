#include "app/form1.h"

// The searches are not built yet: plain no-ops.

void Form1::Text2_Change() {}
void Form1::Text2_KeyDown(int&, int) {}
void Form1::Text2_KeyUp(int&, int) {}
void Form1::mSearch(const QString&) {}
void Form1::mnuRefresh_Click() {}
void Form1::mnuFindFS_Click() {}
