#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/linkmessage.h"
#include "platform/linux/instancelink.h"
#include "platform/linux/linkserver.h"
#include "waitfor.h"

using namespace std::chrono_literals;
using Role = InstanceLink::Role;

namespace {

class Link : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString runtime, programA, programB;

    void SetUp() override {
        runtime = tmp.path() + "/runtime";
        programA = tmp.path() + "/a";
        programB = tmp.path() + "/b";
        for (const QString& d : {runtime, programA, programB}) QDir().mkpath(d);
        ::chmod(QFile::encodeName(runtime).constData(), 0700);
    }

    // The first copy of programA, listening.
    std::unique_ptr<InstanceLink> first;
    std::unique_ptr<LinkServer> server;
    void startFirst() {
        first = std::make_unique<InstanceLink>(programA, runtime);
        ASSERT_EQ(first->claim({"aa", ""}), Role::First);
        server = std::make_unique<LinkServer>();
        ASSERT_TRUE(server->listen(first->socketPath()));
    }

    // Claims the link of `program` on another thread, while this one runs
    // the event loop for the server.
    Role claimElsewhere(const QString& program, const QStringList& words,
                        std::chrono::milliseconds patience = 5s) {
        auto done = std::async(std::launch::async, [=, this] {
            InstanceLink link(program, runtime);
            return link.claim(words, patience);
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done.wait_for(0ms) == std::future_status::ready; },
                                    20000));
        return done.get();
    }
};

sockaddr_un unixAddress(const QByteArray& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ::memcpy(addr.sun_path, path.constData(),
             std::min(size_t(path.size()), sizeof(addr.sun_path) - 1));
    return addr;
}

// A raw client: bytes in, and whether the server answered them.
bool sendRaw(const QString& socketPath, const QByteArray& bytes, bool closeEarly = false) {
    QLocalSocket s;
    s.connectToServer(socketPath);
    if (!s.waitForConnected(2000)) return false;
    s.write(bytes);
    s.flush();
    if (closeEarly) {
        s.disconnectFromServer();
        return false;
    }
    if (!QTest::qWaitFor(
            [&] { return s.bytesAvailable() > 0 || s.state() != QLocalSocket::ConnectedState; },
            5000))
        return false;
    return s.readAll() == QByteArray(1, linkmessage::kAck);
}

}  // namespace

TEST_F(Link, IsNamedFromTheProgramFolder) {
    const auto a = instancelink::placeFor(programA, runtime);
    EXPECT_TRUE(a.socketPath.startsWith(runtime + "/brennomix-"));
    EXPECT_TRUE(a.lockPath.startsWith(runtime + "/brennomix-"));
    EXPECT_NE(a.socketPath, instancelink::placeFor(programB, runtime).socketPath);
    // The same folder by another road is the same link.
    QFile::link(programA, tmp.path() + "/alias");
    EXPECT_EQ(instancelink::placeFor(tmp.path() + "/alias", runtime).socketPath, a.socketPath);
    EXPECT_EQ(instancelink::placeFor(programA + "/", runtime).socketPath, a.socketPath);
    // No room for a socket address: no link.
    EXPECT_TRUE(instancelink::placeFor(programA, "/" + QString(120, u'r')).socketPath.isEmpty());
}

TEST_F(Link, LivesOnlyInAFolderOfTheUsersOwn) {
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    EXPECT_EQ(instancelink::runtimeFolder(), runtime);
    // A folder others may enter is not used: the user's own one under the
    // temporary folder is.
    ::chmod(QFile::encodeName(runtime).constData(), 0755);
    const QString fallback = instancelink::runtimeFolder();
    EXPECT_EQ(fallback, QDir::tempPath() + QStringLiteral("/brennomix-%1").arg(::geteuid()));
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(fallback).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    qputenv("XDG_RUNTIME_DIR", "relative/path");
    EXPECT_EQ(instancelink::runtimeFolder(), fallback);
    qputenv("XDG_RUNTIME_DIR", saved);
}

TEST_F(Link, ATemporaryFolderTooDeepForASocketFallsBackToAShortOne) {
    const QByteArray savedXdg = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    const QString deep = tmp.path() + "/" + QString(90, u'd');
    QDir().mkpath(deep);
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(deep));
    const QString folder = instancelink::runtimeFolder();
    EXPECT_FALSE(instancelink::placeFor(programA, folder).socketPath.isEmpty());
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::geteuid());
    qputenv("TMPDIR", savedTmp);
    if (savedXdg.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", savedXdg);
}

// The first copy is ending while a later one sends: the words are not taken,
// so the later copy tries again and becomes the first copy itself.
TEST_F(Link, AnEndingFirstCopyStopsAnsweringAndTheNextOneTakesOver) {
    startFirst();
    QSignalSpy words(server.get(), &LinkServer::wordsReceived);
    // A message half sent when the program ends is never answered.
    QLocalSocket late;
    late.connectToServer(first->socketPath());
    ASSERT_TRUE(late.waitForConnected(2000));
    const QByteArray message = linkmessage::encode({"aa", "/2"});
    late.write(message.left(3));
    late.flush();
    QTest::qWait(50);
    server->close();
    late.write(message.mid(3));
    late.flush();
    QTest::qWait(50);
    EXPECT_EQ(late.bytesAvailable(), 0);
    EXPECT_EQ(words.size(), 0);

    // A copy started now waits while the ending copy still holds the lock,
    // and runs as the first copy once it is gone.
    auto next = std::async(std::launch::async, [this] {
        InstanceLink link(programA, runtime);
        return link.claim({"aa", "/2"}, 5s);
    });
    QTest::qWait(100);
    first.reset();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return next.wait_for(0ms) == std::future_status::ready; }, 10000));
    EXPECT_EQ(next.get(), Role::First);
    EXPECT_EQ(words.size(), 0);
}

TEST_F(Link, TheFirstCopyTakesTheWordsOfTheNextInOrder) {
    startFirst();
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(first->socketPath()).constData(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u);

    QSignalSpy words(server.get(), &LinkServer::wordsReceived);
    EXPECT_EQ(claimElsewhere(programA, {"aa", "mtools"}), Role::Relayed);
    EXPECT_EQ(claimElsewhere(programA, {"aa", "/123"}), Role::Relayed);
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0][0].toStringList(), (QStringList{"aa", "mtools"}));
    EXPECT_EQ(words[1][0].toStringList(), (QStringList{"aa", "/123"}));

    // Another program folder has a link of its own.
    EXPECT_EQ(claimElsewhere(programB, {"aa", "x"}), Role::First);
    // Words too long to hand over are not cut short.
    EXPECT_EQ(claimElsewhere(programA, {"aa", QString(40000, u'x')}), Role::Failed);
    EXPECT_EQ(words.size(), 2);
}

TEST_F(Link, ALockHolderThatNeverAnswersLeavesTheNextCopyAlone) {
    InstanceLink holder(programA, runtime);
    ASSERT_EQ(holder.claim({"aa", ""}), Role::First);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(claimElsewhere(programA, {"aa", ""}, 300ms), Role::Alone);
    EXPECT_GE(t.elapsed(), 300);
}

// What a copy killed outright leaves: its lock file naming a process that
// is gone, and its socket file with nobody listening.
TEST_F(Link, WhatAKilledCopyLeftIsReplacedAtTheNextStart) {
    const auto place = instancelink::placeFor(programA, runtime);
    QByteArray lockText;
    {
        QLockFile lock(place.lockPath);
        ASSERT_TRUE(lock.tryLock(0));
        QFile f(place.lockPath);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        lockText = f.readAll();
    }
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ::waitpid(gone, nullptr, 0);
    lockText.replace(0, lockText.indexOf('\n'), QByteArray::number(gone));
    QFile f(place.lockPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(lockText);
    f.close();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un addr = unixAddress(QFile::encodeName(place.socketPath));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);

    startFirst();
    QSignalSpy words(server.get(), &LinkServer::wordsReceived);
    EXPECT_EQ(claimElsewhere(programA, {"aa", "after"}), Role::Relayed);
    EXPECT_EQ(words.size(), 1);
}

TEST_F(Link, GarbageOversizedAndCutOffMessagesAreDroppedWithoutEffect) {
    startFirst();
    QSignalSpy words(server.get(), &LinkServer::wordsReceived);
    const QByteArray good = linkmessage::encode({"aa", "mtools"});
    const QString socketPath = first->socketPath();

    EXPECT_FALSE(sendRaw(socketPath, "GET / HTTP/1.1\r\nHost: x\r\n\r\n"));
    QByteArray oversized = good.first(12) + QByteArray("\x7f\0\0\0", 4) + QByteArray(1000, 'x');
    EXPECT_FALSE(sendRaw(socketPath, oversized));
    EXPECT_FALSE(sendRaw(socketPath, good + "trailing"));
    EXPECT_FALSE(sendRaw(socketPath, good.first(good.size() - 3), true));
    QTest::qWait(100);
    EXPECT_EQ(words.size(), 0);

    // The link still serves the next whole message.
    EXPECT_TRUE(sendRaw(socketPath, good));
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words[0][0].toStringList(), (QStringList{"aa", "mtools"}));
}

namespace {

// Runs `body` in a child process under the uid "nobody" uses; its exit
// status. Only system calls happen in the child.
template <typename F>
int asOtherUser(F body) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) _exit(90);
        _exit(body());
    }
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) QTest::qWait(10);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// The socket is the user's alone; were it reachable anyway, a connection
// from another user is refused and its words never arrive.
TEST_F(Link, AnotherUsersConnectionIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    startFirst();
    QSignalSpy words(server.get(), &LinkServer::wordsReceived);
    const QByteArray message = linkmessage::encode({"aa", "mtools"});
    const QString socketPath = first->socketPath();
    auto send = [&] { return int(instancelink::send(socketPath, message, 3s, false)); };

    // As the socket stands, another user cannot even connect.
    EXPECT_EQ(asOtherUser(send), int(instancelink::SendResult::ForeignPeer));
    // Opened up by force, the connection is refused all the same.
    ::chmod(QFile::encodeName(tmp.path()).constData(), 0755);
    ::chmod(QFile::encodeName(runtime).constData(), 0777);
    ::chmod(QFile::encodeName(socketPath).constData(), 0777);
    EXPECT_EQ(asOtherUser(send), int(instancelink::SendResult::Refused));
    EXPECT_EQ(words.size(), 0);
}

// A copy whose lock is held but whose socket belongs to another user hands
// nothing over: it runs on its own.
TEST_F(Link, ASocketOfAnotherUserGetsNoWords) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    InstanceLink holder(programA, runtime);
    ASSERT_EQ(holder.claim({"aa", ""}), Role::First);
    ::chmod(QFile::encodeName(tmp.path()).constData(), 0755);
    ::chmod(QFile::encodeName(runtime).constData(), 0777);
    const QByteArray path = QFile::encodeName(holder.socketPath());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) _exit(90);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un addr = unixAddress(path);
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::listen(fd, 8) != 0)
            _exit(91);
        ::chmod(path.constData(), 0777);
        (void)!::write(ready[1], "r", 1);
        ::pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(claimElsewhere(programA, {"aa", "secret"}, 5s), Role::Alone);
    EXPECT_LT(t.elapsed(), 4000);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

namespace {

int openDescriptors() {
    return int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

}  // namespace

// More copies at once than the first copy has descriptors left: it cannot
// take every connection when it comes, yet it keeps its socket and answers
// each one as descriptors come free, and the next copy still finds it.
TEST_F(Link, ADescriptorLimitDelaysConnectionsButNeverEndsTheLink) {
    startFirst();
    QSignalSpy words(server.get(), &LinkServer::wordsReceived);
    const QByteArray path = QFile::encodeName(first->socketPath());
    const QByteArray message = linkmessage::encode({"aa", "/1"});
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    rlimit low = old;
    low.rlim_cur = rlim_t(openDescriptors() + 16);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    constexpr int kClients = 80;

    // The clients live in a child with the usual limit; only system calls
    // happen there. All connect first, then all send, then all read.
    const pid_t pid = fork();
    if (pid == 0) {
        ::setrlimit(RLIMIT_NOFILE, &old);
        int fds[kClients];
        const sockaddr_un addr = unixAddress(path);
        for (int& fd : fds) {
            fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0)
                _exit(91);
        }
        for (int fd : fds)
            if (::send(fd, message.constData(), size_t(message.size()), MSG_NOSIGNAL) !=
                message.size())
                _exit(92);
        for (int fd : fds) {
            char answer = 0;
            if (::recv(fd, &answer, 1, 0) != 1 || answer != linkmessage::kAck) _exit(93);
        }
        _exit(0);
    }
    ASSERT_GT(pid, 0);
    int status = -1;
    if (!waitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 20000, "the clients")) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(words.size(), kClients);
    struct stat st {};
    EXPECT_EQ(::lstat(path.constData(), &st), 0);
    EXPECT_EQ(claimElsewhere(programA, {"aa", "/2"}), Role::Relayed);
    ::setrlimit(RLIMIT_NOFILE, &old);
}
