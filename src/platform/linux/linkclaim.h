#pragma once

#include <chrono>
#include <string>
#include <vector>

// The link between copies of the launcher started from one program folder,
// in plain POSIX calls: a second copy decides and hands its words over
// without loading Qt or anything that draws windows.
//
// It lives in the user's runtime folder: a lock file that decides which
// copy is the first one, and the socket the first copy listens on. Both are
// named from the program folder, so two program folders never meet. Only
// the user's own processes can reach the socket (the folder and the socket
// are the user's alone, and each side checks the other's uid).
namespace linkclaim {

// $XDG_RUNTIME_DIR when it is a folder of this user that nobody else may
// enter; otherwise "brennomix-<uid>" in the temporary folder ($TMPDIR, else
// /tmp), created for this user alone, or in /tmp when the temporary folder
// is too deep for a socket address. Empty when none can be had.
std::string runtimeFolder();

struct Place {
    std::string socketPath;  // empty when the link has no place
    std::string lockPath;
};
Place placeFor(const std::string& programFolder, const std::string& runtimeFolder);

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
SendResult send(const std::string& socketPath, const std::string& message,
                std::chrono::milliseconds timeout, bool checkPeer = true);

enum class Role {
    First,    // this copy holds the lock: it runs and listens
    Relayed,  // the running copy took the words: this copy ends
    Alone,    // no running copy it may talk to, and no lock to take:
              // it runs on its own, without a link
    Failed,   // the words could not be handed over (too long, or the
              // running copy took them but never answered)
};

// The lock of one program folder's link, held for as long as the object
// lives (and its holder runs).
class Claim {
public:
    explicit Claim(const std::string& programFolder);
    // Lets a test put the link somewhere else than the user's runtime folder.
    Claim(const std::string& programFolder, const std::string& runtimeFolder);
    ~Claim();
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;

    // Takes the lock, or hands `words` to the copy that holds it. While
    // the holder lives but does not listen yet (it is starting) or any more
    // (it is ending), this tries again, for at most `patience`.
    Role claim(const std::vector<std::string>& words,
               std::chrono::milliseconds patience = std::chrono::seconds(10));

    // Where the first copy listens.
    const std::string& socketPath() const { return place_.socketPath; }

    // How long a second copy waits for the running copy's answer.
    static constexpr std::chrono::milliseconds kAnswerTimeout = std::chrono::seconds(10);

private:
    enum class Lock { Taken, Held, Unusable };
    Lock tryLock();
    void release();

    Place place_;
    int lockFd_ = -1;
};

}  // namespace linkclaim
