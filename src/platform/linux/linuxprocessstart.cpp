#include <cstdlib>

#include <dlfcn.h>

#include "platform/linux/launchermodule.h"
#include "platform/linux/linkclaim.h"
#include "platform/processstart.h"

namespace processstart {

std::string executableFolder() {
    char* real = ::realpath("/proc/self/exe", nullptr);
    if (!real) return {};
    std::string path = real;
    std::free(real);
    const size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

namespace {

class LinkClaim : public InstanceClaim {
public:
    explicit LinkClaim(const std::string& programFolder) : link_(programFolder) {}
    Role claim(const std::vector<std::string>& words) override {
        switch (link_.claim(words)) {
            case linkclaim::Role::First:
                return Role::First;
            case linkclaim::Role::Relayed:
                return Role::Relayed;
            case linkclaim::Role::Alone:
                return Role::Alone;
            case linkclaim::Role::Failed:
                break;
        }
        return Role::Failed;
    }
    std::string address() const override { return link_.socketPath(); }

private:
    linkclaim::Claim link_;
};

}  // namespace

std::unique_ptr<InstanceClaim> makeInstanceClaim(const std::string& programFolder) {
    return std::make_unique<LinkClaim>(programFolder);
}

LauncherEntry loadLauncher(const std::string& exeFolder, std::string* error) {
    const std::string module = launcherModuleFile(exeFolder, kLauncherModule);
    void* ui = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto* entry = ui ? reinterpret_cast<LauncherEntry>(::dlsym(ui, kLauncherEntry)) : nullptr;
    if (!entry && error) {
        const char* reason = ::dlerror();
        *error = reason ? reason : "no entry point in " + module;
    }
    return entry;
}

}  // namespace processstart
