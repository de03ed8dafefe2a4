// A bare client of the launcher's instance link, for the end-to-end tests.
//
//   linkclient [--any-peer] SOCKET WORD...   sends the words as one message
//   linkclient --raw [--any-peer] SOCKET     sends standard input as it is
//   linkclient --cut N SOCKET WORD...        sends all but the last N bytes
//                                            of the message, then hangs up
//   linkclient --hold N SOCKET               opens N connections, sends
//                                            nothing and holds them until
//                                            it is ended
//
// Exit status: 0 the running copy answered, 2 the connection closed without
// an answer, 3 nothing listens there, 4 the socket is not this user's (or
// not reachable), 5 no answer in time, 1 bad usage.
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/linkmessage.h"
#include "platform/linux/instancelink.h"

namespace {

// Connects, writes `bytes` and hangs up without waiting for anything.
int sendAndHangUp(const QByteArray& path, const QByteArray& bytes) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(addr.sun_path)) return 1;
    std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) != 0) return 3;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return written ? 2 : 1;
}

// Opens `count` connections and keeps them open, silent, until killed.
int holdConnections(const QByteArray& path, long count) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(addr.sun_path)) return 1;
    std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
    for (long k = 0; k < count; ++k) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) != 0)
            return 3;
    }
    std::printf("held %ld\n", count);
    std::fflush(stdout);
    for (;;) ::pause();
}

}  // namespace

int main(int argc, char* argv[]) {
    bool raw = false, anyPeer = false;
    long cut = -1, hold = -1;
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] == '-'; ++i) {
        if (std::strcmp(argv[i], "--raw") == 0)
            raw = true;
        else if (std::strcmp(argv[i], "--any-peer") == 0)
            anyPeer = true;
        else if (std::strcmp(argv[i], "--cut") == 0 && i + 1 < argc)
            cut = std::atol(argv[++i]);
        else if (std::strcmp(argv[i], "--hold") == 0 && i + 1 < argc)
            hold = std::atol(argv[++i]);
        else
            return 1;
    }
    if (i >= argc) {
        std::fprintf(stderr, "usage: linkclient [--raw] [--any-peer] SOCKET [WORD...]\n");
        return 1;
    }
    const QString socket = QString::fromLocal8Bit(argv[i++]);
    if (hold >= 0) return holdConnections(QFile::encodeName(socket), hold);
    QByteArray message;
    if (raw) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) return 1;
        message = in.readAll();
    } else {
        QStringList words;
        for (; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
        message = linkmessage::encode(words);
    }
    if (cut >= 0)
        return sendAndHangUp(QFile::encodeName(socket),
                             message.first(std::max<qsizetype>(0, message.size() - cut)));
    using R = instancelink::SendResult;
    switch (instancelink::send(socket, message, std::chrono::seconds(10), !anyPeer)) {
        case R::Delivered:
            return 0;
        case R::Refused:
            return 2;
        case R::NoServer:
            return 3;
        case R::ForeignPeer:
            return 4;
        case R::NoAnswer:
            return 5;
    }
    return 1;
}
