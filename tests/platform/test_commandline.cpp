#include <gtest/gtest.h>

#include "qtprinters.h"

#include "platform/commandline.h"
#include "platform/linux/desktopapps.h"
#include "platform/linux/desktopentry.h"

using Words = QStringList;

TEST(CommandLine, SplitsByShellRules) {
    EXPECT_EQ(commandline::split("  a  b\tc "), (Words{"a", "b", "c"}));
    EXPECT_EQ(commandline::split("alpha \"beta gamma\" 'it''s' x\\ y"),
              (Words{"alpha", "beta gamma", "its", "x y"}));
    EXPECT_EQ(commandline::split(R"("a \"q\" \$HOME \n" '\n')"),
              (Words{R"(a "q" $HOME \n)", R"(\n)"}));
    EXPECT_EQ(commandline::split("'' \"\""), (Words{"", ""}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(commandline::split("run 'open end"), (Words{"run", "open end"}));
    EXPECT_TRUE(commandline::split("   ").isEmpty());
}

TEST(CommandLine, QuotedWordsComeBackUnchanged) {
    const Words words{"plain", "two words",   "it's",      "",
                      "$HOME", "back\\slash", "tab\there", "/path/with:colon=and,comma"};
    EXPECT_EQ(commandline::split(commandline::join(words)), words);
    EXPECT_EQ(commandline::quote("/usr/bin/x"), "/usr/bin/x");
    EXPECT_EQ(commandline::quote("a b"), "'a b'");
}

TEST(DesktopEntry, ReadsTheEntryGroupWithItsEscapes) {
    const desktopentry::Entry e = desktopentry::parse(
        "# comment\n[Desktop Entry]\r\nType=Application\nName=Tool\nName[de]=Werkzeug\n"
        "Exec=\"/opt/my tools/run\" --title=A\\sB %F\nPath=/work\nIcon=tool\nTerminal=true\n"
        "Exec=second\n[Desktop Action new]\nExec=other\n");
    EXPECT_TRUE(e.valid);
    EXPECT_EQ(e.type, "Application");
    EXPECT_EQ(e.name, "Tool");
    EXPECT_EQ(e.exec, "\"/opt/my tools/run\" --title=A B %F");
    EXPECT_EQ(e.path, "/work");
    EXPECT_EQ(e.icon, "tool");
    EXPECT_TRUE(e.terminal);

    EXPECT_FALSE(desktopentry::parse("Exec=x\n").valid);
    EXPECT_FALSE(desktopentry::parse(QString::fromLatin1("\x01\x02garbage\0\n", 12)).valid);
    EXPECT_EQ(desktopentry::parse("[Desktop Entry]\nType=Link\nURL=https://example.org/\n").url,
              "https://example.org/");
}

TEST(DesktopEntry, ExecQuotingAndFieldCodes) {
    Words w;
    ASSERT_TRUE(desktopentry::splitExec(R"(prog "a b" "q\"uote" "d\$x" "b\\s" %f)", w));
    EXPECT_EQ(w, (Words{"prog", "a b", "q\"uote", "d$x", "b\\s", "%f"}));
    EXPECT_FALSE(desktopentry::splitExec("prog \"open", w));

    desktopentry::Entry e;
    e.name = "Tool";
    e.icon = "tool-icon";
    const Words words{"prog", "%U", "--file=%f", "%i", "%c", "%k", "100%%", "%d", "%n"};
    EXPECT_EQ(desktopentry::expandFieldCodes(words, {}, e, "/apps/t.desktop"),
              (Words{"prog", "--file=", "--icon", "tool-icon", "Tool", "/apps/t.desktop", "100%"}));
    EXPECT_EQ(desktopentry::expandFieldCodes({"prog", "%U"}, {"a", "b"}, e, ""),
              (Words{"prog", "a", "b"}));
    EXPECT_EQ(desktopentry::expandFieldCodes({"prog", "%f"}, {"a", "b"}, e, ""),
              (Words{"prog", "a"}));
    e.icon.clear();
    EXPECT_EQ(desktopentry::expandFieldCodes({"prog", "%i"}, {}, e, ""), Words{"prog"});
}

TEST(DesktopEntry, TerminalsTakeTheirCommandTheirOwnWay) {
    EXPECT_EQ(desktopentry::terminalArguments("/usr/bin/xterm", {"vim", "a b"}),
              (Words{"-e", "vim", "a b"}));
    EXPECT_EQ(desktopentry::terminalArguments("/usr/bin/gnome-terminal", {"vim"}),
              (Words{"--", "vim"}));
    EXPECT_EQ(desktopentry::terminalArguments("xfce4-terminal", {"vim"}), (Words{"-x", "vim"}));
    EXPECT_EQ(desktopentry::terminalArguments("kitty", {"vim"}), Words{"vim"});
}

TEST(DesktopApps, WellKnownWindowsNames) {
    using desktopapps::Role;
    EXPECT_EQ(desktopapps::wellKnownRole("notepad.exe"), Role::TextEditor);
    EXPECT_EQ(desktopapps::wellKnownRole("NOTEPAD"), Role::TextEditor);
    EXPECT_EQ(desktopapps::wellKnownRole("calc.exe"), Role::Calculator);
    EXPECT_EQ(desktopapps::wellKnownRole("IExplore.exe"), Role::WebBrowser);
    EXPECT_EQ(desktopapps::wellKnownRole("Explorer.EXE"), Role::FileManager);
    EXPECT_EQ(desktopapps::wellKnownRole("cmd"), Role::Terminal);
    EXPECT_EQ(desktopapps::wellKnownRole("command.com"), Role::Terminal);
    EXPECT_EQ(desktopapps::wellKnownRole("/opt/calc.exe"), Role::None);
    EXPECT_EQ(desktopapps::wellKnownRole("calculator"), Role::None);
    EXPECT_EQ(desktopapps::withoutExe("Pendix.EXE"), "Pendix");
    EXPECT_EQ(desktopapps::withoutExe("run.sh"), "run.sh");
}
