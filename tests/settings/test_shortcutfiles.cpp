#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/linux/desktopentry.h"
#include "settings/shortcutfiles.h"

namespace {

// desktop-file-validate's complaints about `text` as "Brennomix.desktop";
// empty when valid.
QString validate(const QString& text) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Brennomix.desktop"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write");
    f.write(text.toUtf8());
    f.close();
    QProcess p;
    p.start(QStringLiteral("desktop-file-validate"), {path});
    if (!p.waitForFinished(20000)) return QStringLiteral("did not finish");
    const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitCode() == 0 && !out.contains(QStringLiteral("error")) ? QString() : out;
}

// The words the desktop runs for an entry's Exec line.
QStringList execWords(const QString& text) {
    const desktopentry::Entry e = desktopentry::parse(text);
    QStringList words;
    EXPECT_TRUE(desktopentry::splitExec(e.exec, words)) << e.exec.toStdString();
    return desktopentry::expandFieldCodes(words, {}, e, QString());
}

const char* const kPrograms[] = {
    "/usr/bin/brennomix",
    "/opt/My Tools/brennomix",
    "/home/u/it's \"$HOME\" `x` 100%\\d/brennomix",
};

}  // namespace

TEST(ShortcutFiles, EntriesAreValidDesktopEntries) {
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    for (const char* program : kPrograms) {
        EXPECT_EQ(validate(shortcutfiles::launcherEntry(program, "CTRL+ALT+A")), QString())
            << program;
        EXPECT_EQ(validate(shortcutfiles::autostartEntry(program)), QString()) << program;
    }
}

TEST(ShortcutFiles, ExecGivesTheProgramBackAsOneWord) {
    for (const char* program : kPrograms) {
        EXPECT_EQ(execWords(shortcutfiles::launcherEntry(program, "CTRL+A")), QStringList{program});
        EXPECT_EQ(execWords(shortcutfiles::autostartEntry(program)),
                  (QStringList{program, "/resident"}));
    }
    EXPECT_EQ(shortcutfiles::execArgument("/usr/bin/brennomix"), "/usr/bin/brennomix");
    EXPECT_EQ(shortcutfiles::execArgument("/opt/My Tools/b"), "\"/opt/My Tools/b\"");
}

TEST(ShortcutFiles, MenuEntryKeepsTheKeyText) {
    const QString text = shortcutfiles::launcherEntry("/usr/bin/brennomix", "CTRL+ALT+A");
    EXPECT_EQ(shortcutfiles::keyTextOf(text), "CTRL+ALT+A");
    EXPECT_TRUE(text.contains("\nComment=Quick Program Launcher\n"));
    EXPECT_EQ(shortcutfiles::keyTextOf(shortcutfiles::autostartEntry("/usr/bin/brennomix")),
              QString());
    EXPECT_EQ(shortcutfiles::keyTextOf("[Desktop Entry]\r\nX-Brennomix-Shortcut=ALT+B\r\n"),
              "ALT+B");
}

TEST(ShortcutFiles, TheInstalledProgramIsNamedAsTheInstalledEntryNamesIt) {
    EXPECT_EQ(shortcutfiles::entryProgram("/usr/bin/brennomix", "/usr/bin/brennomix"), "brennomix");
    // A copy in a build folder, or none on PATH: its own path.
    EXPECT_EQ(shortcutfiles::entryProgram("/src/build/brennomix", "/usr/bin/brennomix"),
              "/src/build/brennomix");
    EXPECT_EQ(shortcutfiles::entryProgram("/src/build/brennomix", ""), "/src/build/brennomix");
    for (const char* program : kPrograms) {
        EXPECT_EQ(shortcutfiles::execProgramOf(shortcutfiles::launcherEntry(program, "ALT+A")),
                  program);
        EXPECT_EQ(shortcutfiles::execProgramOf(shortcutfiles::autostartEntry(program)), program);
    }
}
