#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <QSocketNotifier>

#include <memory>
#include <string>

// The first copy's end of the instance link: it takes whole, valid messages
// from the user's own later copies, answers each, and reports its words.
// Anything else (another user, garbage, an oversized or cut-off message, a
// connection that stalls) is dropped without effect.
//
// It listens for as long as the program runs: when a connection cannot be
// taken (no descriptor left, no memory), it waits a moment and takes it
// then, and a socket that went missing meanwhile is made again, so a later
// copy always finds the running one.
class LinkServer : public QObject {
    Q_OBJECT

public:
    explicit LinkServer(QObject* parent = nullptr);
    ~LinkServer() override;

    // Listens at `socketPath` for this user only. A socket left there by a
    // copy that was killed is replaced: call this only while holding the
    // link's lock.
    bool listen(const QString& socketPath);
    QString errorString() const { return error_; }
    // Stops answering, at once: no new connection is taken and a message
    // still arriving is dropped unanswered, so its sender tries again and
    // finds the next first copy. Called when the program ends.
    void close();

    // A connection that has not sent a whole message by then is dropped.
    static constexpr int kStallMs = 10000;
    // The pause after a connection could not be taken.
    static constexpr int kRetryMs = 100;

signals:
    void wordsReceived(const QStringList& words);

private:
    bool openSocket();
    void closeSocket();
    bool socketIsOurs() const;
    void accept();
    void retry();

    // One later copy's connection, until its message is whole or dropped.
    class Connection : public QObject {
    public:
        Connection(int fd, LinkServer* server);
        ~Connection() override;
        // Closes the connection unanswered.
        void drop();

    private:
        void read();

        LinkServer* server_;
        int fd_;
        QSocketNotifier notifier_;
        QTimer stall_;
        std::string received_;
    };

    QString path_;
    QString error_;
    int fd_ = -1;
    // The socket file as bound, to tell it from one put there since.
    unsigned long long device_ = 0, inode_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer retry_;
    bool closed_ = false;
};
