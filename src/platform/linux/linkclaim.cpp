#include "platform/linux/linkclaim.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <thread>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <string.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/programfolder.h"
#include "platform/linkwire.h"
#include "platform/linux/sha256.h"

namespace linkclaim {

namespace {

// A folder of this user that no one else may enter, and not a link to one.
bool isPrivateFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && path.front() == '/' && ::lstat(path.c_str(), &st) == 0 &&
           S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// Room for the socket name and what the server adds while it creates the
// socket (a temporary "-XXXXXX/s" beside it), within the 108 bytes a Unix
// socket address has.
constexpr size_t kMaxSocketPath = 96;
// What placeFor puts after the folder: "/brennomix-" + 16 hex digits + ".socket".
constexpr size_t kSocketNameLength = 11 + 16 + 7;

bool roomForSocket(const std::string& folder) {
    return folder.size() + kSocketNameLength <= kMaxSocketPath;
}

std::string ownName() {
    return "/brennomix-" + std::to_string(::geteuid());
}

// "brennomix-<uid>" in `parent`, made for this user alone; empty when it
// cannot be had so.
std::string ownFolderIn(const std::string& parent) {
    const std::string own = cleanPath(parent + ownName());
    ::mkdir(own.c_str(), 0700);
    return isPrivateFolder(own) ? own : std::string();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The temporary folder as Qt programs see it: $TMPDIR without its
// trailing slash, else /tmp.
std::string tempFolder() {
    std::string tmp = environment("TMPDIR");
    if (tmp.empty()) return "/tmp";
    while (tmp.size() > 1 && tmp.back() == '/') tmp.pop_back();
    return tmp;
}

// The folder as one name for every road to it: its real path, or its
// cleaned absolute path while it does not exist.
std::string canonicalFolder(const std::string& folder) {
    if (char* real = ::realpath(folder.c_str(), nullptr)) {
        std::string canonical = real;
        std::free(real);
        return canonical;
    }
    if (!folder.empty() && folder.front() == '/') return cleanPath(folder);
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd)) return cleanPath(folder);
    return cleanPath(std::string(cwd) + '/' + folder);
}

class Socket {
public:
    Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

using Clock = std::chrono::steady_clock;

}  // namespace

std::string runtimeFolder() {
    const std::string xdg = environment("XDG_RUNTIME_DIR");
    if (isPrivateFolder(xdg) && roomForSocket(xdg)) return cleanPath(xdg);
    // A temporary folder too deep for a socket address would leave the
    // launcher without its link: the short system one stands in.
    for (const std::string& parent : {tempFolder(), std::string("/tmp")}) {
        if (!roomForSocket(cleanPath(parent) + ownName())) continue;
        const std::string own = ownFolderIn(parent);
        if (!own.empty()) return own;
    }
    return {};
}

Place placeFor(const std::string& programFolder, const std::string& runtimeFolder) {
    if (runtimeFolder.empty()) return {};
    const std::string hash = sha256Hex(canonicalFolder(programFolder)).substr(0, 16);
    const std::string base = runtimeFolder + "/brennomix-" + hash;
    Place p{base + ".socket", base + ".lock"};
    if (p.socketPath.size() > kMaxSocketPath) return {};
    return p;
}

bool peerIsThisUser(int fd) {
    struct ucred cred {};
    socklen_t len = sizeof(cred);
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && len == sizeof(cred) &&
           cred.uid == ::geteuid();
}

SendResult send(const std::string& socketPath, const std::string& message,
                std::chrono::milliseconds timeout, bool checkPeer) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof(addr.sun_path))
        return SendResult::NoServer;
    ::memcpy(addr.sun_path, socketPath.data(), socketPath.size());

    Socket s;
    if (s.fd() < 0) return SendResult::NoServer;
    // A full queue of waiting connections makes connect() and send() wait;
    // never longer than the answer may take.
    timeval tv{};
    tv.tv_sec = timeout.count() / 1000;
    tv.tv_usec = (timeout.count() % 1000) * 1000;
    ::setsockopt(s.fd(), SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
    if (::connect(s.fd(), reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) != 0)
        return errno == EACCES || errno == EPERM ? SendResult::ForeignPeer : SendResult::NoServer;
    // Words go to this user's own copy only.
    if (checkPeer && !peerIsThisUser(s.fd())) return SendResult::ForeignPeer;

    for (size_t sent = 0; sent < message.size();) {
        const ssize_t n =
            ::send(s.fd(), message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return SendResult::Refused;
        sent += size_t(n);
    }

    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return SendResult::NoAnswer;
        pollfd p{s.fd(), POLLIN, 0};
        const int r = ::poll(&p, 1, int(left.count()));
        if (r < 0 && errno == EINTR) continue;
        if (r == 0) return SendResult::NoAnswer;
        char answer = 0;
        const ssize_t n = ::recv(s.fd(), &answer, 1, 0);
        if (n < 0 && errno == EINTR) continue;
        return n == 1 && answer == linkwire::kAck ? SendResult::Delivered : SendResult::Refused;
    }
}

Claim::Claim(const std::string& programFolder) : Claim(programFolder, runtimeFolder()) {}

Claim::Claim(const std::string& programFolder, const std::string& runtimeFolder)
    : place_(placeFor(programFolder, runtimeFolder)) {}

Claim::~Claim() {
    release();
}

Claim::Lock Claim::tryLock() {
    const int fd = ::open(place_.lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Lock::Unusable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Lock::Held : Lock::Unusable;
    }
    // The holder before removed the file while this copy opened it: the lock
    // taken is on a file nobody else will find. The next round opens the
    // file that is there now.
    struct stat opened {
    }, named{};
    if (::fstat(fd, &opened) != 0 || ::stat(place_.lockPath.c_str(), &named) != 0 ||
        opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
        ::close(fd);
        return Lock::Held;
    }
    // The file names its holder, in the form other lock-file readers of the
    // desktop expect: process id, program name, host name.
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const std::string text = std::to_string(::getpid()) + "\nbrennomix\n" + host + "\n";
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, text.data(), text.size(), 0) < 0) {
        // The lock holds without the text; only its readers miss the name.
    }
    lockFd_ = fd;
    return Lock::Taken;
}

void Claim::release() {
    if (lockFd_ < 0) return;
    // Removed while still locked, so that a copy that opened it meanwhile
    // sees the file gone and looks again.
    ::unlink(place_.lockPath.c_str());
    ::close(lockFd_);
    lockFd_ = -1;
}

Role Claim::claim(const std::vector<std::string>& words, std::chrono::milliseconds patience) {
    if (place_.socketPath.empty()) return Role::Alone;
    release();
    const std::string message = linkwire::encode(words);

    const auto start = Clock::now();
    // Many copies started at once wait together; backing off leaves the
    // machine to the one that is starting.
    std::chrono::milliseconds pause(2);
    for (;;) {
        switch (tryLock()) {
            case Lock::Taken:
                return Role::First;
            case Lock::Unusable:
                return Role::Alone;
            case Lock::Held:
                break;
        }
        if (message.empty()) return Role::Failed;
        switch (send(place_.socketPath, message, kAnswerTimeout)) {
            case SendResult::Delivered:
                return Role::Relayed;
            case SendResult::ForeignPeer:
                return Role::Alone;
            case SendResult::NoAnswer:
                // The words may still be acted on: sending them again could
                // run a command twice.
                return Role::Failed;
            case SendResult::NoServer:
            case SendResult::Refused:
                break;
        }
        if (Clock::now() - start >= patience) return Role::Alone;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

}  // namespace linkclaim
