#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/options.h"
#include "app/programfolder.h"
#include "platform/linkwire.h"
#include "platform/processstart.h"

// Everything here is plain C++ over the system's calls: a second copy, the
// most frequent start, hands its words over and ends without loading Qt.
// Only a copy that runs loads the window module, and Qt with it.
int main(int argc, char* argv[]) {
    // --help and --version answer before any folder is made or a running
    // copy is reached: asking must change nothing.
    const options::Decision decision = options::decide(argc, argv, BRENNOMIX_VERSION);
    if (decision.action != options::Action::Run) {
        std::FILE* out = decision.action == options::Action::Unknown ? stderr : stdout;
        // A help that could not be written (a full disk, a closed pipe) is
        // no success.
        if (std::fputs(decision.text.c_str(), out) < 0 || std::fflush(out) != 0) return 1;
        return options::exitCode(decision.action);
    }

    // The command line is the arguments joined with single blanks.
    std::string cmd;
    for (int i = decision.firstWord; i < argc; ++i) {
        if (i > decision.firstWord) cmd += ' ';
        cmd += argv[i];
    }

    const std::string exeFolder = processstart::executableFolder();
    const std::string folder = resolveProgramFolder(
        [](const char* name) {
            const char* value = std::getenv(name);
            return std::string(value ? value : "");
        },
        exeFolder);
    makeFolders(folder);

    using processstart::Role;
    const std::unique_ptr<processstart::InstanceClaim> link =
        processstart::makeInstanceClaim(folder);
    const Role role = link->claim(linkwire::relayWords(cmd));
    if (role == Role::Relayed) return 0;
    if (role == Role::Failed) {
        std::fprintf(stderr, "brennomix: could not hand the command line to the running copy\n");
        return 1;
    }

    std::string error;
    const processstart::LauncherEntry run = processstart::loadLauncher(exeFolder, &error);
    if (!run) {
        std::fprintf(stderr, "brennomix: %s\n", error.c_str());
        return 1;
    }
    const std::string socket = role == Role::First ? link->address() : std::string();
    const LauncherStart start{&argc, argv, folder.c_str(), cmd.c_str(), socket.c_str()};
    // The claim stays in force while the windows run.
    return run(&start);
}
