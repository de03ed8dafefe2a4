#pragma once

class Platform;

// The desktop icons, hidden and shown by the launcher. Icons hidden by an
// earlier run (or another program) count as shown: the first toggle of a
// run hides them.
class DesktopIcons {
public:
    explicit DesktopIcons(Platform& platform) : plat_(platform) {}

    bool Hidden() const { return desktopIconsHidden_; }
    void ShowDesktopIcons();
    void HideDesktopIcons();
    void Toggle();

private:
    Platform& plat_;
    bool desktopIconsHidden_ = false;
};
