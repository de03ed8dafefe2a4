#include "platform/linux/launchermodule.h"

#include <sys/stat.h>

std::string launcherModuleFile(const std::string& executableFolder, const std::string& moduleName) {
    const std::string beside = executableFolder + '/' + moduleName;
    struct stat st {};
    return ::stat(beside.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? beside : moduleName;
}
