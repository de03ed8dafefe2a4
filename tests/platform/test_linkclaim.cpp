// The executable's own end of the instance link, in plain POSIX calls: it
// must meet copies and files made by the Qt side exactly.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/linkclaim.h"
#include "platform/linux/sha256.h"

using namespace std::chrono_literals;
using linkclaim::Claim;
using linkclaim::Role;

namespace {

class LinkClaim : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    std::string runtime, program;

    void SetUp() override {
        runtime = (tmp.path() + "/runtime").toStdString();
        program = (tmp.path() + "/program").toStdString();
        QDir().mkpath(QString::fromStdString(runtime));
        QDir().mkpath(QString::fromStdString(program));
        ::chmod(runtime.c_str(), 0700);
    }
};

// The name earlier versions gave the link: the first 16 hex digits of the
// SHA-256 of the folder's canonical path.
QString qtLinkName(const QString& folder) {
    QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty()) canonical = QDir::cleanPath(QDir(folder).absolutePath());
    return "brennomix-" + QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256)
                              .toHex()
                              .left(16);
}

}  // namespace

TEST_F(LinkClaim, ALinkKeepsTheNameEarlierVersionsGaveIt) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    // Folders of every length around the hash's block edges, existing or
    // not yet made, relative or with a detour.
    const QString base = tmp.path();
    QStringList folders{QString::fromStdString(program), base + "/program/../program/",
                        "relative/not/made", base + "/missing/" + QString(200, u'x')};
    for (int n = 40; n < 140; n += 7) folders << base + "/" + QString(n, u'p');
    for (const QString& folder : folders) {
        const linkclaim::Place p = linkclaim::placeFor(folder.toStdString(), runtime);
        EXPECT_EQ(QString::fromStdString(p.socketPath),
                  QString::fromStdString(runtime) + "/" + qtLinkName(folder) + ".socket")
            << folder.toStdString();
    }
}

// A copy of an earlier version holds its lock with Qt's lock file; a copy
// of this one holds it so that such a copy sees it held too.
TEST_F(LinkClaim, TheLockIsSharedWithQtLockFiles) {
    const linkclaim::Place place = linkclaim::placeFor(program, runtime);
    {
        QLockFile earlier(QString::fromStdString(place.lockPath));
        ASSERT_TRUE(earlier.tryLock(0));
        Claim next(program, runtime);
        // Held, and nobody listens: it ends up running on its own.
        EXPECT_EQ(next.claim({"aa", ""}, 50ms), Role::Alone);
    }
    Claim first(program, runtime);
    ASSERT_EQ(first.claim({"aa", ""}), Role::First);
    QFile lockFile(QString::fromStdString(place.lockPath));
    ASSERT_TRUE(lockFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(lockFile.readLine().trimmed(), QByteArray::number(::getpid()));
    QLockFile earlier(QString::fromStdString(place.lockPath));
    earlier.setStaleLockTime(0);
    EXPECT_FALSE(earlier.tryLock(0));
    EXPECT_EQ(Claim(program, runtime).claim({"aa", ""}, 50ms), Role::Alone);
}

TEST_F(LinkClaim, AnEndedHolderLeavesTheLockToTheNextCopy) {
    const linkclaim::Place place = linkclaim::placeFor(program, runtime);
    {
        Claim first(program, runtime);
        ASSERT_EQ(first.claim({"aa", ""}), Role::First);
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(place.lockPath)));
    // A lock file nobody holds (its holder was killed) is taken over.
    QFile left(QString::fromStdString(place.lockPath));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("999999\nbrennomix\nhost\n");
    left.close();
    Claim next(program, runtime);
    EXPECT_EQ(next.claim({"aa", ""}), Role::First);
    // A runtime folder it cannot write in leaves it alone, not stuck.
    if (::geteuid() != 0) {
        ::chmod(runtime.c_str(), 0500);
        EXPECT_EQ(Claim(tmp.path().toStdString() + "/other", runtime).claim({"aa", ""}),
                  Role::Alone);
        ::chmod(runtime.c_str(), 0700);
    }
}
