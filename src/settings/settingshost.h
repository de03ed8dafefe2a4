#pragma once

#include <QString>

#include "lists/config.h"

// What the settings window changes in the launcher: the settings it edits
// and the few things that follow from them. The settings window reaches
// the launcher through this alone, never through the main window's
// controls.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    virtual Config& Cfg() = 0;
    // The program folder, where the settings file lives.
    virtual const QString& AppPath() const = 0;
    virtual void Load_Cfg() = 0;
    virtual void Write_Cfg() = 0;
    // Twips per pixel on the screen under the pointer.
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;
    // Residency in the tray, and the hotkey that recalls the window.
    virtual void SetResident(bool on) = 0;
    virtual void GrabHotkey() = 0;
    // The sidebar placed for the configured position, or hidden.
    virtual void sidebarSet() = 0;
    virtual void HideSidebar() = 0;
    // The desktop menu entry and how entries name the program.
    virtual void sCut() = 0;
    virtual QString EntryProgram() = 0;
    // The folders to index changed.
    virtual void FsIndexStale() = 0;
    // The settings window closed: the main window left the topmost layer
    // while it was open and goes back.
    virtual void SettingsClosed() = 0;
};
