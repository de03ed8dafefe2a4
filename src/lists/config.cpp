#include "lists/config.h"

namespace configfile {

namespace {

// Hands out the file's lines in order. Past the end, the caller's variable
// keeps what it held, exactly as a read past the end of a short file did.
class LineReader {
public:
    explicit LineReader(const QStringList& lines) : lines_(lines) {}
    void read(QString& into) {
        if (next_ >= lines_.size()) return;
        QString l = lines_[next_++];
        qsizetype i = 0;
        while (i < l.size() && (l[i] == u' ' || l[i] == u'\t')) ++i;
        into = l.mid(i);
    }

private:
    const QStringList& lines_;
    qsizetype next_ = 0;
};

QString flag(const char* key, bool on) {
    return QString::fromLatin1(key) + (on ? u'1' : u'0');
}

}  // namespace

Effects apply(const QStringList& fileLines, Config& cfg) {
    Effects fx;
    LineReader in(fileLines);
    QString line;

    in.read(cfg.fsSearchPaths);

    in.read(line);
    const QString upper = line.toUpper();
    // "Hotkey=" alone is how no hotkey is written; an older file has a NUL
    // character there, which reads as 0 all the same. Half of a character
    // beyond one UTF-16 unit is no key, and could not be written back.
    cfg.hotkeyCode = upper.left(7) == u"HOTKEY=" && upper.size() > 7 && !upper[7].isSurrogate()
                         ? upper[7].unicode()
                         : 0;

    line.clear();
    in.read(line);
    if (line.toLower() == u"window2mouse=1") cfg.window2Mouse = true;

    line.clear();
    in.read(line);
    cfg.hoverSelect = line.toLower() == u"hover select=1";

    in.read(line);
    cfg.hideWhenRecalled = line.toLower() == u"hide when recalled=1";

    in.read(line);
    cfg.pageKeysAsArrows = line.toLower() == u"use page up/down as arrows=1";

    in.read(line);
    const QString side = line.toLower();
    if (side != u"sidebar=0") {
        for (int pos = 1; pos <= 4; ++pos)
            if (side == QStringLiteral("sidebar=%1").arg(pos)) cfg.sidebarPosition = pos;
        fx.showSidebar = cfg.sidebarPosition > 0;
    }

    in.read(line);
    cfg.autoShowHide = line.toLower() == u"auto show/hide=1";
    fx.autoShowHide = cfg.autoShowHide;

    in.read(line);
    cfg.quickSearch = line.toLower() == u"quicksearch=1";

    in.read(line);
    if (line.toLower().contains(u"editor="))
        cfg.editor = line.mid(7);
    else
        cfg.editor = QStringLiteral("notepad.exe");
    return fx;
}

QStringList lines(const Config& cfg, bool sidebarShown) {
    QStringList out;
    out << (cfg.fsSearchPaths.isEmpty() ? QString::fromLatin1(kDefaultSearchPaths)
                                        : cfg.fsSearchPaths);
    // No hotkey is an empty value, never a NUL character in a text file.
    out << QStringLiteral("Hotkey=") +
               (cfg.hotkeyCode ? QString(QChar(char16_t(cfg.hotkeyCode))) : QString());
    out << flag("Window2mouse=", cfg.window2Mouse);
    out << flag("Hover select=", cfg.hoverSelect);
    out << flag("Hide when recalled=", cfg.hideWhenRecalled);
    out << flag("Use page up/down as arrows=", cfg.pageKeysAsArrows);
    out << QStringLiteral("SideBar=") + QString::number(sidebarShown ? cfg.sidebarPosition : 0);
    out << flag("Auto Show/Hide=", cfg.autoShowHide);
    out << flag("QuickSearch=", cfg.quickSearch);
    out << QStringLiteral("Editor=") + cfg.editor;
    return out;
}

}  // namespace configfile
