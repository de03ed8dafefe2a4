#include "platform/linux/instancelink.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <thread>

#include <errno.h>
#include <poll.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/linkmessage.h"

namespace instancelink {

namespace {

// A folder of this user that no one else may enter, and not a link to one.
bool isPrivateFolder(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && QDir::isAbsolutePath(path) &&
           ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// Room for the socket name and what the server adds while it creates the
// socket (a temporary "-XXXXXX/s" beside it), within the 108 bytes a Unix
// socket address has.
constexpr qsizetype kMaxSocketPath = 96;
// What placeFor puts after the folder: "/brennomix-" + 16 hex digits + ".socket".
constexpr qsizetype kSocketNameLength = 11 + 16 + 7;

bool roomForSocket(const QString& folder) {
    return QFile::encodeName(folder).size() + kSocketNameLength <= kMaxSocketPath;
}

// "brennomix-<uid>" in `parent`, made for this user alone; empty when it
// cannot be had so.
QString ownFolderIn(const QString& parent) {
    const QString own = QDir::cleanPath(parent) + QStringLiteral("/brennomix-%1").arg(::geteuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

}  // namespace

QString runtimeFolder() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(xdg) && roomForSocket(xdg)) return QDir::cleanPath(xdg);
    // A temporary folder too deep for a socket address would leave the
    // launcher without its link: the short system one stands in.
    for (const QString& parent : {QDir::tempPath(), QStringLiteral("/tmp")}) {
        if (!roomForSocket(QDir::cleanPath(parent) +
                           QStringLiteral("/brennomix-%1").arg(::geteuid())))
            continue;
        const QString own = ownFolderIn(parent);
        if (!own.isEmpty()) return own;
    }
    return QString();
}

Place placeFor(const QString& programFolder, const QString& runtimeFolder) {
    if (runtimeFolder.isEmpty()) return {};
    QString canonical = QFileInfo(programFolder).canonicalFilePath();
    if (canonical.isEmpty()) canonical = QDir::cleanPath(QDir(programFolder).absolutePath());
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    const QString base = runtimeFolder + QStringLiteral("/brennomix-") + QString::fromLatin1(hash);
    Place p{base + QStringLiteral(".socket"), base + QStringLiteral(".lock")};
    if (QFile::encodeName(p.socketPath).size() > kMaxSocketPath) return {};
    return p;
}

bool peerIsThisUser(int fd) {
    struct ucred cred {};
    socklen_t len = sizeof(cred);
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && len == sizeof(cred) &&
           cred.uid == ::geteuid();
}

namespace {

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

}  // namespace

SendResult send(const QString& socketPath, const QByteArray& message,
                std::chrono::milliseconds timeout, bool checkPeer) {
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof(addr.sun_path)) return SendResult::NoServer;
    ::memcpy(addr.sun_path, path.constData(), size_t(path.size()));

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

    for (qsizetype sent = 0; sent < message.size();) {
        const ssize_t n =
            ::send(s.fd(), message.constData() + sent, size_t(message.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return SendResult::Refused;
        sent += n;
    }

    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const qint64 left = timeout.count() - waited.elapsed();
        if (left <= 0) return SendResult::NoAnswer;
        pollfd p{s.fd(), POLLIN, 0};
        const int r = ::poll(&p, 1, int(left));
        if (r < 0 && errno == EINTR) continue;
        if (r == 0) return SendResult::NoAnswer;
        char answer = 0;
        const ssize_t n = ::recv(s.fd(), &answer, 1, 0);
        if (n < 0 && errno == EINTR) continue;
        return n == 1 && answer == linkmessage::kAck ? SendResult::Delivered : SendResult::Refused;
    }
}

}  // namespace instancelink

InstanceLink::InstanceLink(const QString& programFolder)
    : InstanceLink(programFolder, instancelink::runtimeFolder()) {}

InstanceLink::InstanceLink(const QString& programFolder, const QString& runtimeFolder)
    : place_(instancelink::placeFor(programFolder, runtimeFolder)) {}

InstanceLink::~InstanceLink() = default;

InstanceLink::Role InstanceLink::claim(const QStringList& words,
                                       std::chrono::milliseconds patience) {
    using instancelink::SendResult;
    if (place_.socketPath.isEmpty()) return Role::Alone;
    lock_ = std::make_unique<QLockFile>(place_.lockPath);
    // The lock is held for as long as the first copy runs: it never goes
    // stale by age, only when its holder is gone.
    lock_->setStaleLockTime(0);
    const QByteArray message = linkmessage::encode(words);

    QElapsedTimer waited;
    waited.start();
    // Many copies started at once wait together; backing off leaves the
    // machine to the one that is starting.
    std::chrono::milliseconds pause(2);
    for (;;) {
        if (lock_->tryLock(0)) return Role::First;
        if (lock_->error() != QLockFile::LockFailedError) return Role::Alone;
        if (message.isEmpty()) return Role::Failed;
        switch (instancelink::send(place_.socketPath, message, kAnswerTimeout)) {
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
        if (std::chrono::milliseconds(waited.elapsed()) >= patience) return Role::Alone;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}
