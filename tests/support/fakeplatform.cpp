#include "fakeplatform.h"

#include "platform/keycombination.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace {
// The next scripted answer, or `fallback` when the script has run out.
template <class T>
T next(std::deque<T>& script, T fallback) {
    // Into the parameter, which is always initialised: an optimised build
    // would otherwise warn about a copy it cannot see through.
    if (!script.empty()) {
        fallback = std::move(script.front());
        script.pop_front();
    }
    return fallback;
}
}  // namespace

QStringList FakePlatform::callsStartingWith(const QString& prefix) const {
    QStringList out;
    for (const QString& c : calls)
        if (c.startsWith(prefix)) out << c;
    return out;
}

int FakePlatform::shellExecute(const QString& file, const QString& params, const QString& dir) {
    calls << QStringLiteral("shellExecute|%1|%2|%3").arg(file, params, dir);
    return next(shellResults, 42);
}

bool FakePlatform::startCommandLine(const QString& commandLine, int showState) {
    calls << QStringLiteral("startCommandLine|%1|%2").arg(commandLine).arg(showState);
    return startResult;
}

bool FakePlatform::openRunDialog() {
    calls << QStringLiteral("openRunDialog");
    return runDialogResult;
}

bool FakePlatform::readShortcut(const QString& path, Shortcut& out) {
    calls << QStringLiteral("readShortcut|%1").arg(path);
    if (!shortcuts.contains(path)) return false;
    out = shortcuts.value(path);
    return true;
}

QString FakePlatform::findProgram(const QString& name, const QString& programFolder) {
    calls << QStringLiteral("findProgram|%1|%2").arg(name, programFolder);
    return programs.value(name);
}

QStringList FakePlatform::runCompletions(const QString& text) {
    calls << QStringLiteral("runCompletions|%1").arg(text);
    return completions;
}

bool FakePlatform::fileExists(const QString& path) {
    if (existing.contains(path)) return true;
    if (missing.contains(path)) return false;
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool FakePlatform::readFolder(const QByteArray& path, std::vector<FolderItem>& items) {
    items.clear();
    const QString folder = QFile::decodeName(path);
    if (!QFileInfo(folder).isDir() || QFileInfo(folder).isSymLink()) return false;
    const QFileInfoList infos = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& i : infos)
        items.push_back({QFile::encodeName(i.fileName()), i.isDir() && !i.isSymLink()});
    return true;
}

QStringList FakePlatform::specialFolders(int number) {
    return special.value(number);
}

bool FakePlatform::desktopEntryTitle(const QByteArray& path, QByteArray& title) {
    title.clear();
    QFile f(QFile::decodeName(path));
    if (!f.open(QIODevice::ReadOnly)) return true;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.trimmed() == "NoDisplay=true") return false;
        if (line.startsWith("Name=") && title.isEmpty()) title = line.mid(5).trimmed();
    }
    return true;
}

QString FakePlatform::userFolder(UserFolder which) {
    return which == UserFolder::Applications ? applications : autostart;
}

QString FakePlatform::programFile() {
    return program;
}

bool FakePlatform::writeUserFile(const QString& path, const QByteArray& bytes, QString* error) {
    calls << QStringLiteral("writeUserFile|%1").arg(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

bool FakePlatform::removeUserFile(const QString& path) {
    calls << QStringLiteral("removeUserFile|%1").arg(path);
    return QFile::remove(path) || !QFileInfo::exists(path);
}

QByteArray FakePlatform::readUserFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QDateTime FakePlatform::currentDateTime() {
    return now;
}
QRect FakePlatform::screenGeometry(const QPoint&) {
    return screen;
}

void FakePlatform::setDesktopIconsShown(bool shown) {
    calls << QStringLiteral("setDesktopIconsShown|%1").arg(shown ? 1 : 0);
}
void FakePlatform::showDesktop() {
    calls << QStringLiteral("showDesktop");
}
bool FakePlatform::lockSession() {
    calls << QStringLiteral("lockSession");
    return lockResult;
}

bool FakePlatform::hasKeyFor(int keyCode) {
    const QChar c{char16_t(keyCode)};
    return (c.unicode() < 0x80 && c.isLetterOrNumber()) || keys.contains(c);
}

Platform::HotkeyResult FakePlatform::grabKeyCombination(const KeyCombination& k) {
    QStringList mods;
    if (k.ctrl) mods << QStringLiteral("CTRL");
    if (k.alt) mods << QStringLiteral("ALT");
    if (k.shift) mods << QStringLiteral("SHIFT");
    if (k.super) mods << QStringLiteral("SUPER");
    calls << QStringLiteral("grabKeyCombination|%1").arg((mods << k.key).join(u'+'));
    return combinationResult;
}

void FakePlatform::releaseKeyCombination() {
    calls << QStringLiteral("releaseKeyCombination");
}

void FakePlatform::keepOutOfTaskbar(QWidget*) {
    calls << QStringLiteral("keepOutOfTaskbar");
}

void FakePlatform::raisePriority() {
    calls << QStringLiteral("raisePriority");
}
QString FakePlatform::osFamily() {
    return QStringLiteral("xp");
}
qint64 FakePlatform::uptimeMs() {
    return uptime;
}
void FakePlatform::beep() {
    calls << QStringLiteral("beep");
}
QPoint FakePlatform::cursorPos() {
    return cursor;
}

void FakePlatform::setCursorPos(const QPoint& pos) {
    calls << QStringLiteral("setCursorPos|%1|%2").arg(pos.x()).arg(pos.y());
    cursor = pos;
}

QRect FakePlatform::workArea(const QPoint&) {
    return work;
}
double FakePlatform::screenDpiX(const QPoint&) {
    return dpiX;
}
double FakePlatform::screenDpiY(const QPoint&) {
    return dpiY;
}

bool FakePlatform::activateWindow(QWidget* w) {
    calls << QStringLiteral("activateWindow");
    w->raise();
    w->activateWindow();
    return active;
}

bool FakePlatform::isForegroundWindow(QWidget* w) {
    return w->isActiveWindow();
}

void FakePlatform::setTopmost(QWidget*, bool on) {
    calls << QStringLiteral("setTopmost|%1").arg(on ? 1 : 0);
}

QMargins FakePlatform::frameMargins(QWidget* w) {
    return w->isVisible() ? frame : QMargins();
}

void FakePlatform::setClipboardText(const QString& text) {
    calls << QStringLiteral("setClipboardText|%1").arg(text);
    clipboard = text;
}

bool FakePlatform::trayAvailable() {
    return tray;
}
void FakePlatform::trayAdd(const QIcon&, const QString& tip) {
    calls << QStringLiteral("trayAdd|%1").arg(tip);
}
void FakePlatform::trayModify(const QIcon&, const QString& tip) {
    calls << QStringLiteral("trayModify|%1").arg(tip);
}
void FakePlatform::trayRemove() {
    calls << QStringLiteral("trayRemove");
}

Platform::HotkeyResult FakePlatform::grabHotkey(int keyCode) {
    calls << QStringLiteral("grabHotkey|%1").arg(keyCode);
    return hotkeyResult;
}

void FakePlatform::releaseHotkey() {
    calls << QStringLiteral("releaseHotkey");
}

QStringList FakeDialogs::messages() const {
    QStringList out;
    for (const QString& s : shown)
        if (s.startsWith(u"message|")) out << s.section(u'|', 2);
    return out;
}

void FakeDialogs::message(const QString& text, const QString& title) {
    shown << QStringLiteral("message|%1|%2").arg(title, text);
}

bool FakeDialogs::question(const QString& text, const QString& title) {
    shown << QStringLiteral("question|%1|%2").arg(title, text);
    return next(answers, false);
}

std::optional<QString> FakeDialogs::input(const QString& prompt, const QString& title,
                                          const QString& defaultText) {
    shown << QStringLiteral("input|%1|%2|%3").arg(title, prompt, defaultText);
    return next(inputs, std::optional<QString>());
}

QString FakeDialogs::openFileName(const QString& title, const QString& dir) {
    shown << QStringLiteral("openFileName|%1|%2").arg(title, dir);
    return next(fileNames, QString());
}

QString FakeDialogs::folderName(const QString& title, const QString& dir) {
    shown << QStringLiteral("folderName|%1|%2").arg(title, dir);
    return next(fileNames, QString());
}
