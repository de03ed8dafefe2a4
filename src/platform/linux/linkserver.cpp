#include "platform/linux/linkserver.h"

#include <QFile>
#include <QSocketNotifier>

#include <errno.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/linkmessage.h"
#include "platform/linux/instancelink.h"

namespace {

// Many copies started at once all wait in the queue rather than fail.
constexpr int kBacklog = 128;

}  // namespace

LinkServer::LinkServer(QObject* parent) : QObject(parent) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &LinkServer::retry);
}

LinkServer::~LinkServer() {
    closeSocket();
}

bool LinkServer::listen(const QString& socketPath) {
    closeSocket();
    path_ = socketPath;
    closed_ = false;
    return openSocket();
}

bool LinkServer::openSocket() {
    const QByteArray path = QFile::encodeName(path_);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof(addr.sun_path)) {
        error_ = QStringLiteral("The socket path is too long: %1").arg(path_);
        return false;
    }
    ::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    auto fail = [&] {
        error_ = QString::fromLocal8Bit(::strerror(errno));
        if (fd >= 0) ::close(fd);
        return false;
    };
    if (fd < 0) return fail();
    ::unlink(path.constData());
    // Made for the user alone from the start: bound under a mask that
    // leaves nobody else a moment to connect.
    const mode_t mask = ::umask(0077);
    const int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr));
    ::umask(mask);
    if (bound != 0 || ::listen(fd, kBacklog) != 0) return fail();
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) return fail();
    device_ = st.st_dev;
    inode_ = st.st_ino;
    fd_ = fd;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &LinkServer::accept);
    return true;
}

bool LinkServer::socketIsOurs() const {
    struct stat st {};
    return ::lstat(QFile::encodeName(path_).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_dev == device_ && st.st_ino == inode_;
}

void LinkServer::closeSocket() {
    retry_.stop();
    notifier_.reset();
    if (fd_ < 0) return;
    // Only our own socket: one put there since belongs to someone else.
    if (socketIsOurs()) ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
}

void LinkServer::close() {
    closed_ = true;
    closeSocket();
    for (QObject* c : children())
        if (auto* connection = dynamic_cast<Connection*>(c)) connection->drop();
}

void LinkServer::accept() {
    while (fd_ >= 0) {
        const int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (c < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return;
            // No descriptor or memory left for now: the connection stays
            // queued and is taken after a pause, without spinning on it.
            notifier_->setEnabled(false);
            retry_.start(kRetryMs);
            return;
        }
        if (!instancelink::peerIsThisUser(c)) {
            ::close(c);
            continue;
        }
        new Connection(c, this);
    }
}

void LinkServer::retry() {
    if (closed_) return;
    // Someone removed or replaced the socket file: a later copy could not
    // find this one, so it is made again.
    if (fd_ < 0 || !socketIsOurs()) {
        closeSocket();
        if (!openSocket()) {
            retry_.start(kRetryMs);
            return;
        }
    }
    notifier_->setEnabled(true);
    accept();
}

LinkServer::Connection::Connection(int fd, LinkServer* server)
    : QObject(server), server_(server), fd_(fd), notifier_(fd, QSocketNotifier::Read) {
    stall_.setSingleShot(true);
    QObject::connect(&stall_, &QTimer::timeout, this, &Connection::drop);
    stall_.start(kStallMs);
    QObject::connect(&notifier_, &QSocketNotifier::activated, this, &Connection::read);
    // What arrived before the connection was taken.
    read();
}

LinkServer::Connection::~Connection() {
    notifier_.setEnabled(false);
    if (fd_ >= 0) ::close(fd_);
}

void LinkServer::Connection::drop() {
    if (fd_ < 0) return;
    stall_.stop();
    notifier_.setEnabled(false);
    ::close(fd_);
    fd_ = -1;
    // This may run inside one of the connection's own signals.
    deleteLater();
}

void LinkServer::Connection::read() {
    if (fd_ < 0) return;
    bool ended = false;
    for (;;) {
        char buf[4096];
        const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
        if (n > 0) {
            received_.append(buf, size_t(n));
            // More than a message may hold is garbage however it goes on.
            if (linkwire::decode(received_).status == linkwire::Status::Invalid) break;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }
    const linkmessage::Decoded d =
        linkmessage::decode(QByteArrayView(received_.data(), qsizetype(received_.size())));
    if (d.status == linkmessage::Status::Incomplete && !ended) return;
    // Cut off, garbage, or the program is ending: dropped unanswered.
    if (d.status != linkmessage::Status::Complete || server_->closed_) {
        drop();
        return;
    }
    // The answer goes out before the words are acted on, which may take a
    // while (a dialog) or end the program. One byte always fits in the
    // socket's empty send buffer.
    (void)!::send(fd_, &linkmessage::kAck, 1, MSG_NOSIGNAL);
    drop();
    emit server_->wordsReceived(d.words);
}
