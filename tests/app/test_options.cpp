#include <gtest/gtest.h>

#include <vector>

#include "app/options.h"

namespace {

options::Decision decideFor(std::vector<const char*> args) {
    args.insert(args.begin(), "brennomix");
    return options::decide(int(args.size()), args.data(), "1.2.3");
}

}  // namespace

TEST(Options, HelpAndVersionEndTheStartWithTextOnStandardOutput) {
    const options::Decision help = decideFor({"--help"});
    EXPECT_EQ(help.action, options::Action::Help);
    EXPECT_EQ(options::exitCode(help.action), 0);
    // The help names the words and the files a user looks for.
    for (const char* word : {"/search", "/quit", "/r /", "Brennomix.ini", "Brennomix.cfg"})
        EXPECT_NE(help.text.find(word), std::string::npos) << word;

    const options::Decision version = decideFor({"--version"});
    EXPECT_EQ(version.action, options::Action::Version);
    EXPECT_EQ(version.text, "brennomix 1.2.3\n");
    EXPECT_EQ(options::exitCode(version.action), 0);
}

TEST(Options, AnUnknownDoubleDashOptionIsRefusedWithExitCode2) {
    const options::Decision d = decideFor({"--verison"});
    EXPECT_EQ(d.action, options::Action::Unknown);
    EXPECT_NE(d.text.find("--verison"), std::string::npos);
    EXPECT_EQ(options::exitCode(d.action), 2);
}

TEST(Options, WordsListNamesAndLaterArgumentsStayTheCommandLine) {
    EXPECT_EQ(decideFor({}).action, options::Action::Run);
    EXPECT_EQ(decideFor({"mtools"}).action, options::Action::Run);
    EXPECT_EQ(decideFor({"/quit"}).action, options::Action::Run);
    // Only the first argument can be an option: the rest belongs to the
    // command "/r /" starts.
    const options::Decision run = decideFor({"/r", "/ls", "--all", "--help"});
    EXPECT_EQ(run.action, options::Action::Run);
    EXPECT_EQ(run.firstWord, 1);
    // "--" ends the options: what follows is the word, as it stands.
    const options::Decision dashed = decideFor({"--", "--odd-list"});
    EXPECT_EQ(dashed.action, options::Action::Run);
    EXPECT_EQ(dashed.firstWord, 2);
}
