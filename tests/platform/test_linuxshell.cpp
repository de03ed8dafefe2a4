// The Linux shell layer for real: programs are started and record what they
// were given; the desktop's opener, terminal and calculator are recording
// stand-ins placed on a PATH of the test's own.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "qtprinters.h"

#include "platform/commandline.h"
#include "platform/linux/linuxplatform.h"
#include "waitfor.h"

namespace {

// Writes "<working directory>\n[arg][arg]...\nEND\n" to $RECORD/<own name>.
const char* const kRecorder =
    "#!/bin/sh\n"
    "{ pwd; for a in \"$@\"; do printf '[%s]' \"$a\"; done; printf '\\nEND\\n'; }"
    " > \"$RECORD/${0##*/}\"\n";

class ShellLayer : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    LinuxPlatform plat;
    QByteArray oldPath, oldBrowser, oldTerminal;

    QString at(const QString& rel) const { return tmp.path() + u'/' + rel; }

    void write(const QString& rel, const QByteArray& bytes, bool executable) const {
        QFile f(at(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        if (executable) f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void recorder(const QString& rel) const { write(rel, kRecorder, true); }

    // What the program named `name` recorded: working directory and arguments.
    QStringList recorded(const QString& name) const {
        QStringList lines;
        const bool done = waitFor([&] {
            QFile f(at("record/" + name));
            if (!f.open(QIODevice::ReadOnly)) return false;
            lines = QString::fromUtf8(f.readAll()).split(u'\n');
            return lines.size() >= 3 && lines[2] == u"END";
        });
        if (!done) return {};
        return lines.mid(0, 2);
    }

    void SetUp() override {
        oldPath = qgetenv("PATH");
        oldBrowser = qgetenv("BROWSER");
        oldTerminal = qgetenv("TERMINAL");
        for (const char* d : {"bin", "apps", "work dir", "record", "prog"}) QDir().mkpath(at(d));
        qputenv("PATH", at("bin").toUtf8());
        qputenv("RECORD", at("record").toUtf8());
        qunsetenv("BROWSER");
        qunsetenv("TERMINAL");
        recorder("apps/rec");
    }
    void TearDown() override {
        qputenv("PATH", oldPath);
        qputenv("BROWSER", oldBrowser);
        qputenv("TERMINAL", oldTerminal);
        qunsetenv("RECORD");
    }
};

}  // namespace

TEST_F(ShellLayer, ExecutablesStartWithArgumentsAndWorkingDirectory) {
    EXPECT_GT(plat.shellExecute(at("apps/rec"), "alpha \"beta gamma\" 'it''s'", at("work dir")),
              32);
    EXPECT_EQ(recorded("rec"), (QStringList{at("work dir"), "[alpha][beta gamma][its]"}));

    // A relative name is found from the working directory.
    QFile::remove(at("record/rec"));
    EXPECT_GT(plat.shellExecute("apps/rec", "x", tmp.path()), 32);
    EXPECT_EQ(recorded("rec"), (QStringList{tmp.path(), "[x]"}));
}

TEST_F(ShellLayer, BareNamesAreLookedForInTheWorkingDirectoryThenOnPath) {
    EXPECT_GT(plat.shellExecute("rec", "in-dir", at("apps/")), 32);
    EXPECT_EQ(recorded("rec"), (QStringList{at("apps"), "[in-dir]"}));

    recorder("bin/onpath");
    EXPECT_GT(plat.shellExecute("onpath", "1 2", at("work dir")), 32);
    EXPECT_EQ(recorded("onpath"), (QStringList{at("work dir"), "[1][2]"}));
    // Windows lists name programs with ".exe".
    QFile::remove(at("record/onpath"));
    EXPECT_GT(plat.shellExecute("onpath.exe", "", ""), 32);
    EXPECT_EQ(recorded("onpath").value(1), "");

    EXPECT_EQ(plat.shellExecute("no-such-program", "", at("apps")), 2);
    EXPECT_EQ(plat.shellExecute(at("apps/missing"), "", ""), 2);
    EXPECT_EQ(plat.shellExecute("", "", ""), 2);
}

TEST_F(ShellLayer, DesktopFilesLaunchTheirExecLine) {
    write("apps/tool.desktop",
          ("[Desktop Entry]\nType=Application\nName=Tool\nIcon=tool-icon\nPath=" + at("work dir") +
           "\nExec=" + at("apps/rec") + " --name=%c %F --flag \"two words\" %i\n")
              .toUtf8(),
          false);
    EXPECT_GT(plat.shellExecute(at("apps/tool.desktop"), "file1 'file 2'", ""), 32);
    EXPECT_EQ(recorded("rec"),
              (QStringList{at("work dir"),
                           "[--name=Tool][file1][file 2][--flag][two words][--icon][tool-icon]"}));

    // Read as a shortcut: the field codes are gone, the arguments quoted.
    Platform::Shortcut s;
    ASSERT_TRUE(plat.readShortcut(at("apps/tool.desktop"), s));
    EXPECT_EQ(s.target, at("apps/rec"));
    EXPECT_EQ(commandline::split(s.arguments),
              (QStringList{"--name=Tool", "--flag", "two words", "--icon", "tool-icon"}));
    EXPECT_EQ(s.workingDirectory, at("work dir"));
    EXPECT_EQ(s.iconFile, "tool-icon");

    // Long texts come back whole.
    const QString longArgument(300, u'x');
    write("apps/long.desktop",
          ("[Desktop Entry]\nExec=" + at("apps/rec") + " " + longArgument + "\n").toUtf8(), false);
    ASSERT_TRUE(plat.readShortcut(at("apps/long.desktop"), s));
    EXPECT_EQ(s.arguments, longArgument);

    // Nothing readable: a Windows shortcut, a file that is no entry.
    write("apps/old.lnk", "L\0\0\0garbage", false);
    write("apps/junk.desktop",
          "\x7f"
          "ELF\x01\x02",
          false);
    EXPECT_FALSE(plat.readShortcut(at("apps/old.lnk"), s));
    EXPECT_FALSE(plat.readShortcut(at("apps/junk.desktop"), s));
    EXPECT_FALSE(plat.readShortcut(at("apps/none.desktop"), s));
}

TEST_F(ShellLayer, TerminalEntriesRunInATerminalEmulator) {
    write("apps/top.desktop",
          ("[Desktop Entry]\nType=Application\nName=Top\nTerminal=true\nExec=" + at("apps/rec") +
           " -d 1\n")
              .toUtf8(),
          false);
    Platform::Shortcut s;
    // No terminal installed: the entry cannot be resolved, and running it says why.
    EXPECT_FALSE(plat.readShortcut(at("apps/top.desktop"), s));
    QSignalSpy reports(&plat, &Platform::programNotStarted);
    EXPECT_EQ(plat.shellExecute(at("apps/top.desktop"), "", ""), 31);
    EXPECT_EQ(reports.size(), 1);

    recorder("bin/xterm");
    ASSERT_TRUE(plat.readShortcut(at("apps/top.desktop"), s));
    EXPECT_EQ(s.target, at("bin/xterm"));
    EXPECT_EQ(commandline::split(s.arguments), (QStringList{"-e", at("apps/rec"), "-d", "1"}));
    EXPECT_GT(plat.shellExecute(at("apps/top.desktop"), "", ""), 32);
    EXPECT_EQ(recorded("xterm").value(1), "[-e][" + at("apps/rec") + "][-d][1]");
}

TEST_F(ShellLayer, DocumentsFoldersAndAddressesGoToTheDesktopsOpener) {
    write("work dir/notes.txt", "hello", false);
    QSignalSpy reports(&plat, &Platform::programNotStarted);
    // Without an opener the user hears why nothing opened.
    EXPECT_EQ(plat.shellExecute("notes.txt", "", at("work dir")), 31);
    EXPECT_EQ(reports.size(), 1);
    // An address without any browser names the address and what is missing.
    EXPECT_EQ(plat.shellExecute("https://example.org/", "", ""), 31);
    ASSERT_EQ(reports.size(), 2);
    const QString noBrowser = reports[1][0].toString();
    EXPECT_TRUE(noBrowser.contains("\"https://example.org/\"") && noBrowser.contains("xdg-open") &&
                noBrowser.contains("firefox"))
        << noBrowser.toStdString();

    recorder("bin/xdg-open");
    EXPECT_GT(plat.shellExecute("notes.txt", "ignored", at("work dir")), 32);
    EXPECT_EQ(recorded("xdg-open").value(1), "[" + at("work dir/notes.txt") + "]");
    QFile::remove(at("record/xdg-open"));
    EXPECT_GT(plat.shellExecute("https://example.org/a?b=1&c", "", ""), 32);
    EXPECT_EQ(recorded("xdg-open").value(1), "[https://example.org/a?b=1&c]");
    QFile::remove(at("record/xdg-open"));
    EXPECT_GT(plat.shellExecute("mailto:someone@example.org", "", ""), 32);
    EXPECT_EQ(recorded("xdg-open").value(1), "[mailto:someone@example.org]");
    QFile::remove(at("record/xdg-open"));
    EXPECT_GT(plat.shellExecute(at("work dir/"), "", ""), 32);
    EXPECT_EQ(recorded("xdg-open").value(1), "[" + at("work dir") + "]");
}

TEST_F(ShellLayer, WellKnownWindowsProgramsAreTheDesktopsOwn) {
    EXPECT_EQ(plat.shellExecute("calc.exe", "", ""), 2);
    EXPECT_EQ(plat.shellExecute("notepad.exe", "", ""), 2);
    EXPECT_EQ(plat.shellExecute("IExplore.exe", "", ""), 2);

    recorder("bin/gnome-calculator");
    recorder("bin/gedit");
    recorder("bin/firefox");
    recorder("bin/xterm");
    EXPECT_GT(plat.shellExecute("CALC.EXE", "", ""), 32);
    EXPECT_EQ(recorded("gnome-calculator").value(1), "");
    EXPECT_GT(plat.shellExecute("notepad.exe", "notes.txt", at("work dir")), 32);
    EXPECT_EQ(recorded("gedit"), (QStringList{at("work dir"), "[notes.txt]"}));
    EXPECT_GT(plat.shellExecute("IExplore.exe", "https://example.org/", ""), 32);
    EXPECT_EQ(recorded("firefox").value(1), "[https://example.org/]");
    EXPECT_GT(plat.shellExecute("cmd", "", at("work dir")), 32);
    EXPECT_EQ(recorded("xterm").value(0), at("work dir"));

    // A program named in the environment comes before the usual names.
    recorder("bin/mybrowser");
    qputenv("BROWSER", "mybrowser");
    EXPECT_GT(plat.shellExecute("iexplore", "https://example.org/", ""), 32);
    EXPECT_EQ(recorded("mybrowser").value(1), "[https://example.org/]");
}

TEST_F(ShellLayer, ProgramsThatCannotStartAreReported) {
    QSignalSpy reports(&plat, &Platform::programNotStarted);
    write("apps/broken", "\x01\x02 not a program", true);
    const int code = plat.shellExecute(at("apps/broken"), "", "");
    EXPECT_TRUE(code != 2 && code <= 32) << code;
    EXPECT_EQ(reports.size(), 1);

    EXPECT_EQ(plat.shellExecute(at("apps/rec"), "", at("gone")), 3);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_TRUE(reports[1][0].toString().contains(at("gone")));

    // A missing program is "not found" to the caller, which says so itself:
    // no second report.
    EXPECT_EQ(plat.shellExecute("no-such-program", "/x", ""), 2);
    EXPECT_EQ(reports.size(), 2);
    EXPECT_FALSE(plat.startCommandLine("no-such-program /x", 1));
    EXPECT_EQ(reports.size(), 3);
}

TEST_F(ShellLayer, CommandLinesAndProgramsTheLauncherNames) {
    recorder("bin/onpath");
    EXPECT_TRUE(plat.startCommandLine("onpath /300 /quit '/cmd:a b'", 2));
    EXPECT_EQ(recorded("onpath").value(1), "[/300][/quit][/cmd:a b]");

    EXPECT_EQ(plat.findProgram("Pendix.exe", at("prog")), "");
    recorder("bin/Pendix");
    EXPECT_EQ(plat.findProgram("Pendix.exe", at("prog")), at("bin/Pendix"));
    recorder("prog/Pendix");
    EXPECT_EQ(plat.findProgram("Pendix.exe", at("prog")), at("prog/Pendix"));
    EXPECT_EQ(plat.findProgram("../bin/Pendix", at("prog")), "");

    EXPECT_FALSE(plat.openRunDialog());
    recorder("bin/gmrun");
    EXPECT_TRUE(plat.openRunDialog());
    EXPECT_EQ(recorded("gmrun").value(1), "");
}

TEST_F(ShellLayer, RunBoxCompletesFileNamesAndPrograms) {
    recorder("bin/recorder-one");
    recorder("bin/recorder-two");
    recorder("bin/other");
    write("bin/not-executable", "x", false);
    EXPECT_EQ(plat.runCompletions("recorder-"), (QStringList{"recorder-one", "recorder-two"}));
    EXPECT_EQ(plat.runCompletions("zzz"), QStringList{});

    write("apps/readme.txt", "x", false);
    QDir().mkpath(at("apps/resources"));
    EXPECT_EQ(plat.runCompletions(at("apps/re")),
              (QStringList{at("apps/readme.txt"), at("apps/rec"), at("apps/resources/")}));
    EXPECT_EQ(plat.runCompletions(""), QStringList{});
}
