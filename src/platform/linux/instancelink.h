#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

class QLockFile;

// The link between copies of the launcher started from one program folder.
//
// It lives in the user's runtime folder: a lock file that decides which
// copy is the first one, and the socket the first copy listens on. Both are
// named from the program folder, so two program folders never meet. Only
// the user's own processes can reach the socket (the folder and the socket
// are the user's alone, and each side checks the other's uid).
//
// This part needs nothing but Qt Core: a second copy decides and hands its
// words over before it loads anything that draws windows.
namespace instancelink {

// $XDG_RUNTIME_DIR when it is a folder of this user that nobody else may
// enter; otherwise "brennomix-<uid>" in the temporary folder, created for
// this user alone, or in /tmp when the temporary folder is too deep for a
// socket address. Empty when none can be had.
QString runtimeFolder();

struct Place {
    QString socketPath;  // empty when the link has no place
    QString lockPath;
};
Place placeFor(const QString& programFolder, const QString& runtimeFolder);

// True when the process at the other end of the connected Unix socket `fd`
// runs as this process's user.
bool peerIsThisUser(int fd);

enum class SendResult {
    Delivered,    // the running copy took the whole message
    NoServer,     // nothing listens there (yet, or any more)
    ForeignPeer,  // the socket is not this user's
    Refused,      // the connection closed without an answer
    NoAnswer,     // the message went out but no answer came in time
};
// Sends one message and waits for the running copy's answer. `checkPeer`
// false skips the uid check of the listening side (test tools only).
SendResult send(const QString& socketPath, const QByteArray& message,
                std::chrono::milliseconds timeout, bool checkPeer = true);

}  // namespace instancelink

class InstanceLink {
public:
    enum class Role {
        First,    // this copy holds the lock: it runs and listens
        Relayed,  // the running copy took the words: this copy ends
        Alone,    // no running copy it may talk to, and no lock to take:
                  // it runs on its own, without a link
        Failed,   // the words could not be handed over (too long, or the
                  // running copy took them but never answered)
    };

    explicit InstanceLink(const QString& programFolder);
    // Lets a test put the link somewhere else than the user's runtime folder.
    InstanceLink(const QString& programFolder, const QString& runtimeFolder);
    ~InstanceLink();

    // Takes the lock, or hands `words` to the copy that holds it. While
    // the holder lives but does not listen yet (it is starting) or any more
    // (it is ending), this tries again, for at most `patience`.
    Role claim(const QStringList& words,
               std::chrono::milliseconds patience = std::chrono::seconds(10));

    // Where the first copy listens.
    QString socketPath() const { return place_.socketPath; }

    // How long a second copy waits for the running copy's answer.
    static constexpr std::chrono::milliseconds kAnswerTimeout = std::chrono::seconds(10);

private:
    instancelink::Place place_;
    std::unique_ptr<QLockFile> lock_;
};
