#include "platform/linux/desktopapps.h"

namespace desktopapps {

QString withoutExe(const QString& name) {
    return name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

Role wellKnownRole(const QString& name) {
    if (name.contains(u'/')) return Role::None;
    const QString n = withoutExe(name).toLower();
    if (n == u"notepad") return Role::TextEditor;
    if (n == u"calc") return Role::Calculator;
    if (n == u"iexplore") return Role::WebBrowser;
    if (n == u"explorer") return Role::FileManager;
    if (n == u"cmd" || n == u"command.com") return Role::Terminal;
    return Role::None;
}

Candidates candidatesFor(Role role) {
    switch (role) {
        case Role::TextEditor:
            return {QStringLiteral("text/plain"),
                    {},
                    {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed",
                     "featherpad", "leafpad", "geany", "xedit"}};
        case Role::Calculator:
            return {{},
                    {},
                    {"gnome-calculator", "kcalc", "kalk", "galculator", "mate-calc",
                     "qalculate-gtk", "qalculate-qt", "speedcrunch", "xcalc"}};
        case Role::WebBrowser:
            return {QStringLiteral("x-scheme-handler/https"),
                    QStringLiteral("BROWSER"),
                    {"x-www-browser", "firefox", "firefox-esr", "chromium", "chromium-browser",
                     "google-chrome", "brave-browser", "epiphany", "falkon", "konqueror"}};
        case Role::FileManager:
            return {QStringLiteral("inode/directory"),
                    {},
                    {"nautilus", "dolphin", "thunar", "nemo", "caja", "pcmanfm", "pcmanfm-qt",
                     "spacefm"}};
        case Role::Terminal:
            return {{},
                    QStringLiteral("TERMINAL"),
                    {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal",
                     "mate-terminal", "lxterminal", "qterminal", "tilix", "terminator", "alacritty",
                     "kitty", "foot", "urxvt", "xterm"}};
        case Role::None:
            break;
    }
    return {};
}

QList<QStringList> runDialogCommands() {
    return {{QStringLiteral("krunner")},
            {QStringLiteral("xfce4-appfinder"), QStringLiteral("--collapsed")},
            {QStringLiteral("gmrun")}};
}

}  // namespace desktopapps
