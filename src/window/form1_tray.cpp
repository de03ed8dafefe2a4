#include "app/form1.h"

// Residency, the tray icon and the hotkey are not built yet: plain no-ops.

void Form1::mnuTray_Click() {}
void Form1::t_MouseUp(int) {}
void Form1::ShowDesktopMenu() {}
void Form1::HotkeyPressed(int) {}
void Form1::mnuSideBar_Click() {}
