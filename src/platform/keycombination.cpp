#include "platform/keycombination.h"

#include <QStringList>

namespace keycombination {

namespace {

struct NamedKey {
    const char* name;
    unsigned keysym;
};

// Names a Windows shortcut key text uses, with the usual short forms.
constexpr NamedKey kNamedKeys[] = {
    {"SPACE", 0x20},    {"TAB", 0xff09},    {"BACKSPACE", 0xff08}, {"ENTER", 0xff0d},
    {"RETURN", 0xff0d}, {"ESC", 0xff1b},    {"ESCAPE", 0xff1b},    {"HOME", 0xff50},
    {"LEFT", 0xff51},   {"UP", 0xff52},     {"RIGHT", 0xff53},     {"DOWN", 0xff54},
    {"PGUP", 0xff55},   {"PAGEUP", 0xff55}, {"PGDN", 0xff56},      {"PAGEDOWN", 0xff56},
    {"END", 0xff57},    {"INSERT", 0xff63}, {"INS", 0xff63},       {"DELETE", 0xffff},
    {"DEL", 0xffff},    {"PAUSE", 0xff13},  {"PRINT", 0xff61},
};
constexpr unsigned kF1 = 0xffbe;

// 1 to 24 for "F1" to "F24", else 0.
int functionKey(const QString& key) {
    if (key.size() < 2 || key.size() > 3 || key[0] != u'F' || key[1] == u'0') return 0;
    for (qsizetype i = 1; i < key.size(); ++i)
        if (key[i] < u'0' || key[i] > u'9') return 0;
    const int n = key.mid(1).toInt();
    return n <= 24 ? n : 0;
}

// A printable character that has a Latin-1 keysym.
bool characterKey(const QString& key) {
    return key.size() == 1 && key[0].unicode() > 0x20 && key[0].unicode() <= 0xff &&
           key[0].unicode() != 0x7f && key[0].isPrint();
}

}  // namespace

unsigned keysym(const KeyCombination& k) {
    if (characterKey(k.key)) return QChar(k.key[0]).toLower().unicode();
    if (const int n = functionKey(k.key)) return kF1 + unsigned(n - 1);
    for (const NamedKey& named : kNamedKeys)
        if (k.key == QLatin1String(named.name)) return named.keysym;
    return 0;
}

std::optional<KeyCombination> parse(const QString& text) {
    // The text is stored as one line of the menu entry: a line break (or any
    // other control character) would not read back as it was given.
    for (const QChar c : text)
        if (c.unicode() < 0x20 ? c != u'\t' : c.category() == QChar::Other_Control)
            return std::nullopt;
    const QStringList parts = text.split(u'+');
    KeyCombination k;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QString m = parts[i].trimmed().toUpper();
        if (m == u"CTRL" || m == u"CONTROL")
            k.ctrl = true;
        else if (m == u"ALT")
            k.alt = true;
        else if (m == u"SHIFT")
            k.shift = true;
        else if (m == u"SUPER" || m == u"WIN" || m == u"META")
            k.super = true;
        else
            return std::nullopt;
    }
    k.key = parts.last().trimmed().toUpper();
    if (keysym(k) == 0) return std::nullopt;
    if (!k.ctrl && !k.alt && !k.super && functionKey(k.key) == 0) return std::nullopt;
    return k;
}

}  // namespace keycombination
