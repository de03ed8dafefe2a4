#include "desktop/desktopicons.h"

#include "platform/platform.h"

void DesktopIcons::ShowDesktopIcons() {
    plat_.setDesktopIconsShown(true);
    desktopIconsHidden_ = false;
}

void DesktopIcons::HideDesktopIcons() {
    plat_.setDesktopIconsShown(false);
    desktopIconsHidden_ = true;
}

void DesktopIcons::Toggle() {
    if (desktopIconsHidden_)
        ShowDesktopIcons();
    else
        HideDesktopIcons();
}
