// The editor command line on the real shell layer: a recording editor on a
// test PATH receives the list file as one argument, whatever its name holds.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "formfixture.h"
#include "platform/linux/linuxplatform.h"
#include "waitfor.h"

using EditorLaunch = FormFixture;

TEST_F(EditorLaunch, TheFileReachesTheEditorAsOneArgument) {
    QTemporaryDir bin;
    const QString out = bin.path() + "/args.txt";
    {
        QFile rec(bin.path() + "/recorder");
        ASSERT_TRUE(rec.open(QIODevice::WriteOnly));
        rec.write(
            "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done >\"$REC_OUT.tmp\"\n"
            "mv \"$REC_OUT.tmp\" \"$REC_OUT\"\n");
        rec.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":" + oldPath);
    qputenv("REC_OUT", QFile::encodeName(out));

    // A program folder whose name holds blanks, quotes and "$".
    const QString folder = dir.path() + "/my \"lists\" $HOME 'x'";
    ASSERT_TRUE(QDir().mkpath(folder));
    writeFile("my \"lists\" $HOME 'x'/app.cfg", "x");
    start();
    form->Cfg().editor = "recorder --flag";
    control<ListView>(*form, "List1")->ListItems().Add("cfg");
    control<ListView>(*form, "List1")->ListItems().SetSubItem(1, 1, "app.cfg");
    control<ListView>(*form, "List1")->ListItems().SetSubItem(1, 2, folder + "/");
    control<ListView>(*form, "List1")->SetSelected(1, true);
    form->mnuEditor_Click();
    const QStringList calls = plat.callsStartingWith("startCommandLine|");
    ASSERT_EQ(calls.size(), 1);

    LinuxPlatform linux;
    QStringList problems;
    QObject::connect(&linux, &Platform::programNotStarted,
                     [&](const QString& text) { problems << text; });
    EXPECT_TRUE(linux.startCommandLine(calls[0].section(u'|', 1, -2), 1));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(out); }));
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), "[--flag]\n[" + folder + "/app.cfg]\n");

    // An editor that is not there is reported; the launcher goes on.
    EXPECT_FALSE(linux.startCommandLine("no-such-editor-here file", 1));
    EXPECT_EQ(problems.size(), 1);
    qputenv("PATH", oldPath);
}
