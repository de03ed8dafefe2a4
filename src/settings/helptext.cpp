#include "settings/helptext.h"

namespace helptext {

QString version() {
    return QStringLiteral(BRENNOMIX_VERSION);
}
QString homepage() {
    return QStringLiteral(BRENNOMIX_HOMEPAGE);
}

QStringList lines(const QString& version, const QString& homepage) {
    QStringList l;
    QString product = QStringLiteral("Brennomix version:") + version;
    if (!homepage.isEmpty()) product += QStringLiteral("    Latest version at ") + homepage;
    l << product << QString()
      << QStringLiteral(
             "Add files by draging and droping them on the list or by clicking the Browse "
             "button.")
      << QStringLiteral("Click New (in 'Edit List' mode) to add a sublist.")
      << QStringLiteral(
             "If you want to edit manually, right click on 'Edit List' to edit the current "
             "loaded list in notepad, ")
      << QStringLiteral(
             "  syntax is: Title <tab> filename <tab> path <tab> arguments <tab> RGB color <tab> "
             "bold")
      << QString()
      << QStringLiteral("Left click to run an item.") +
             QStringLiteral(" Hold control key to run multiple items.")
      << QStringLiteral("Type items name to autoselect it")
      << QStringLiteral(
             "Hold control key and type letters to search all lists and the indexed files (with "
             "'Quick Search' on: the loaded list).")
      << QStringLiteral("Press keyboard number 0-9 to run item or ") +
             QStringLiteral("press space or enter to run selected item.")
      << QStringLiteral("Press ` or Backspace (or keypad - or .) to go to top list.")
      << QStringLiteral("Press Escape or * to exit.")
      << QStringLiteral("Hold Shift key when clicking an item to open its parent folder.")
      << QString();
    // The search-folder and command-line block.
    l << QStringLiteral(
             "Right click (keyboard:F3) to search Desktop, Start menu, My Documents and all "
             "lists. ")
      << QStringLiteral("   (FS Search: File System Search)")
      << QStringLiteral("   Default search paths for 'FS Search' are:") +
             QStringLiteral("the desktop, my documents and start menu, ")
      << QStringLiteral(
             "   you can add your own folders in FS search by pressing the 'Add path to FS "
             "search' button")
      << QStringLiteral("   above.")
      << QStringLiteral("   Use menu or right click the Help button to copy the selected item, ")
      << QStringLiteral("   and when you are in a list use menu to paste the item in that list.")
      << QString() << QStringLiteral("Command line arguments:")
      << QStringLiteral("   /resident (makes program stick to the tray.)")
      << QStringLiteral(
             "   /install (makes a shortcut to the start menu along with a keyboard shortcut.)")
      << QStringLiteral("   /quit (quits running instance)")
      << QStringLiteral("   /lock (locks the session, like pressing winkey+L)")
      << QStringLiteral("   /search (go to FS search)")
      << QStringLiteral("   /rescan (refreshes the cached filesystem scan.)")
      << QStringLiteral("   /123 (Simulates selecting items 1 then 2 and then 3 from the lists)")
      << QStringLiteral("   mtools (opens a list you have made (named mTools.ini))") << QString();
    // The keyboard block.
    l << QStringLiteral("Other keyboard shortcuts:")
      << QStringLiteral(" Ctrl+Space All list search.")
      << QStringLiteral(" F3 (or ctrl+alt+f) File system search.")
      << QStringLiteral(" F4 Change items color in the list.")
      << QStringLiteral(" F5 or alt+a Make the list stay open (so you can click many items)")
      << QStringLiteral(" F6 Rename the selected items title.")
      << QStringLiteral(" F7 or alt+s Make program resident in tray.")
      << QStringLiteral(" F8 Toggle 'Edit List' mode.")
      << QStringLiteral(" F9 Edit the arguments for the selected entry.")
      << QStringLiteral(" F10 Bring up popup menu.")
      << QStringLiteral(" F11 Toggle 'Always on Top' feature.")
      << QStringLiteral(" Ctrl+alt+s Save list.")
      << QStringLiteral(" Ctrl+F8 Check if items in list are valid.")
      << QStringLiteral(" Ctrl+TAB or ctrl+shift+tab Opens the desktop's Run dialog")
      << QStringLiteral(" Ctrl+` or ctrl+shift+` Opens an alternate Run dialog");
    if (!homepage.isEmpty()) l << QStringLiteral("Latest version: ") + homepage;
    return l;
}

QString text(const QString& version, const QString& homepage) {
    return lines(version, homepage).join(QStringLiteral("\r\n"));
}

}  // namespace helptext
