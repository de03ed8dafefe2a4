#include <unistd.h>

#include <climits>

#include "platform/processstart.h"

namespace processstart {

std::string executableFolder() {
    char cwd[PATH_MAX];
    return ::getcwd(cwd, sizeof cwd) ? cwd : "";
}

namespace {
class NoClaim : public InstanceClaim {
public:
    Role claim(const std::vector<std::string>&) override { return Role::Alone; }
    std::string address() const override { return {}; }
};
}  // namespace

std::unique_ptr<InstanceClaim> makeInstanceClaim(const std::string&) {
    return std::make_unique<NoClaim>();
}

LauncherEntry loadLauncher(const std::string&, std::string* error) {
    if (error) *error = "this build has no windows to load";
    return nullptr;
}

}  // namespace processstart
