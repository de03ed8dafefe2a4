#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#include "platform/launcherstart.h"

// The executable's start-up where it depends on the system, before anything
// that draws windows is loaded; it needs Qt Core only. The build chooses
// the implementation (BRENNOMIX_PLATFORM): src/platform/linux, the real
// one, or src/platform/null, which has no link and no windows to load.
namespace processstart {

// The folder the running executable lies in.
QString executableFolder();

// Whether this copy runs, decided over the link between copies started
// from one program folder.
enum class Role {
    First,    // it runs and takes the words of later copies
    Relayed,  // the running copy took its words: it ends
    Alone,    // it runs without a link
    Failed,   // the words could not be handed over
};

// The claim stays in force for as long as the object lives.
class InstanceClaim {
public:
    virtual ~InstanceClaim() = default;
    // Decides the role, handing `words` over when another copy runs.
    virtual Role claim(const QStringList& words) = 0;
    // Where the first copy listens for later ones.
    virtual QString address() const = 0;
};
std::unique_ptr<InstanceClaim> makeInstanceClaim(const QString& programFolder);

// The entry of the module with the windows: beside the executable in
// `exeFolder` when it is there, else where an installed copy keeps it;
// nullptr, with a reason in `error`, when it cannot be loaded.
using LauncherEntry = int (*)(const LauncherStart*);
LauncherEntry loadLauncher(const QString& exeFolder, QString* error);

}  // namespace processstart
