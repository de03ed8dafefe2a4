#include "app/form1.h"

// The Start-menu shortcut is not built yet.
void Form1::sCut() {}
