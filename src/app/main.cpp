#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <dlfcn.h>

#include "app/commandword.h"
#include "app/launcher.h"
#include "app/programfolder.h"
#include "platform/linux/instancelink.h"
#include "platform/linux/launchermodule.h"

int main(int argc, char* argv[]) {
    // The command line is the arguments joined with single blanks.
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const QString cmd = args.join(u' ');

    const QString exeFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString folder = resolveProgramFolder(
        [](const char* name) { return qEnvironmentVariable(name); }, exeFolder);
    QDir().mkpath(folder);

    // A second copy hands its words to the running one and ends, before
    // anything that draws windows is loaded.
    InstanceLink link(folder);
    const InstanceLink::Role role = link.claim(commandword::relayWords(cmd));
    if (role == InstanceLink::Role::Relayed) return 0;
    if (role == InstanceLink::Role::Failed) {
        std::fprintf(stderr, "brennomix: could not hand the command line to the running copy\n");
        return 1;
    }

    const QByteArray module =
        QFile::encodeName(launcherModuleFile(exeFolder, QLatin1String(kLauncherModule)));
    void* ui = dlopen(module.constData(), RTLD_NOW | RTLD_LOCAL);
    auto* run = ui ? reinterpret_cast<decltype(&brennomix_run_launcher)>(dlsym(ui, kLauncherEntry))
                   : nullptr;
    if (!run) {
        std::fprintf(stderr, "brennomix: %s\n", dlerror());
        return 1;
    }
    const LauncherStart start{&argc, argv, folder, cmd,
                              role == InstanceLink::Role::First ? link.socketPath() : QString()};
    // The lock stays held while the windows run.
    return run(&start);
}
