#include "app/programfolder.h"

#include <cerrno>
#include <vector>

#include <sys/stat.h>

namespace {

bool isFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string cleanPath(std::string_view path) {
    if (path.empty()) return {};
    const bool absolute = path.front() == '/';
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == ".." && !parts.empty() && parts.back() != "..") {
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string out = absolute ? "/" : "";
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k > 0) out += '/';
        out += parts[k];
    }
    return out.empty() ? "." : out;
}

std::string resolveProgramFolder(const std::function<std::string(const char*)>& env,
                                 const std::string& executableFolder) {
    const std::string home = env("BRENNOMIX_HOME");
    if (!home.empty()) return cleanPath(home);
    if (!executableFolder.empty() && isFile(executableFolder + "/Brennomix.ini"))
        return cleanPath(executableFolder);
    std::string config = env("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') config = env("HOME") + "/.config";
    return cleanPath(config + "/brennomix");
}

void makeFolders(const std::string& folder) {
    const std::string clean = cleanPath(folder);
    if (clean.empty()) return;
    for (size_t at = clean.find('/', 1);; at = clean.find('/', at + 1)) {
        const std::string part = clean.substr(0, at);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return;
        if (at == std::string::npos) return;
    }
}
