#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/launcherstart.h"

// The executable's start-up where it depends on the system, before anything
// that draws windows is loaded. It is plain C++ over the system's own calls:
// a second copy decides, hands its words over and ends without loading any
// Qt library. The build chooses the implementation (BRENNOMIX_PLATFORM):
// src/platform/linux, the real one, or src/platform/null, which has no link
// and no windows to load.
namespace processstart {

// The folder the running executable lies in.
std::string executableFolder();

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
    // Decides the role, handing `words` (UTF-8) over when another copy runs.
    virtual Role claim(const std::vector<std::string>& words) = 0;
    // Where the first copy listens.
    virtual std::string address() const = 0;
};
std::unique_ptr<InstanceClaim> makeInstanceClaim(const std::string& programFolder);

// The entry of the module with the windows: beside the executable in
// `exeFolder` when it is there, else where an installed copy keeps it;
// nullptr, with a reason in `error`, when it cannot be loaded.
using LauncherEntry = int (*)(const LauncherStart*);
LauncherEntry loadLauncher(const std::string& exeFolder, std::string* error);

}  // namespace processstart
