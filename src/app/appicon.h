#pragma once

#include <QIcon>

// The launcher's icon for its windows and its tray icon. The icon installed
// with the program (theme name "brennomix") is preferred, so that an icon
// theme can restyle it; the same picture is built into the program for a
// copy that runs from its build folder or on a desktop without the theme.
// Which of the two is looked up when the icon is first drawn, not before.
QIcon appIcon();

// The icon built into the program, drawn from its SVG at each size asked.
QIcon builtInAppIcon();
