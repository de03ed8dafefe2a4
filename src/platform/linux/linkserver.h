#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

class QLocalSocket;

// The first copy's end of the instance link: it takes whole, valid messages
// from the user's own later copies, answers each, and reports its words.
// Anything else (another user, garbage, an oversized or cut-off message, a
// connection that stalls) is dropped without effect.
class LinkServer : public QObject {
    Q_OBJECT

public:
    explicit LinkServer(QObject* parent = nullptr);
    ~LinkServer() override;

    // Listens at `socketPath` for this user only. A socket left there by a
    // copy that was killed is replaced: call this only while holding the
    // link's lock.
    bool listen(const QString& socketPath);
    QString errorString() const { return server_.errorString(); }
    // Stops answering, at once: no new connection is taken and a message
    // still arriving is dropped unanswered, so its sender tries again and
    // finds the next first copy. Called when the program ends.
    void close();

    // A connection that has not sent a whole message by then is dropped.
    static constexpr int kStallMs = 10000;

signals:
    void wordsReceived(const QStringList& words);

private:
    void accept();

    QLocalServer server_;
    bool closed_ = false;
};
