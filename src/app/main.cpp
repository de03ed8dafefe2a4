#include <QDir>

#include <cstdio>

#include "app/commandword.h"
#include "app/launcher.h"
#include "app/options.h"
#include "app/programfolder.h"
#include "platform/processstart.h"

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
    QStringList args;
    for (int i = decision.firstWord; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const QString cmd = args.join(u' ');

    const QString exeFolder = processstart::executableFolder();
    const QString folder = resolveProgramFolder(
        [](const char* name) { return qEnvironmentVariable(name); }, exeFolder);
    QDir().mkpath(folder);

    // A second copy hands its words to the running one and ends, before
    // anything that draws windows is loaded.
    using processstart::Role;
    const std::unique_ptr<processstart::InstanceClaim> link =
        processstart::makeInstanceClaim(folder);
    const Role role = link->claim(commandword::relayWords(cmd));
    if (role == Role::Relayed) return 0;
    if (role == Role::Failed) {
        std::fprintf(stderr, "brennomix: could not hand the command line to the running copy\n");
        return 1;
    }

    QString error;
    const processstart::LauncherEntry run = processstart::loadLauncher(exeFolder, &error);
    if (!run) {
        std::fprintf(stderr, "brennomix: %s\n", qPrintable(error));
        return 1;
    }
    const LauncherStart start{&argc, argv, folder, cmd,
                              role == Role::First ? link->address() : QString()};
    // The claim stays in force while the windows run.
    return run(&start);
}
