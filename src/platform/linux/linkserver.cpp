#include "platform/linux/linkserver.h"

#include <QLocalSocket>
#include <QTimer>

#include <memory>

#include "platform/linkmessage.h"
#include "platform/linux/instancelink.h"

LinkServer::LinkServer(QObject* parent) : QObject(parent) {
    connect(&server_, &QLocalServer::newConnection, this, &LinkServer::accept);
}

LinkServer::~LinkServer() = default;

bool LinkServer::listen(const QString& socketPath) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Many copies started at once all wait in the queue rather than fail.
    server_.setListenBacklogSize(128);
    QLocalServer::removeServer(socketPath);
    return server_.listen(socketPath);
}

void LinkServer::close() {
    closed_ = true;
    server_.close();
    for (QLocalSocket* s : server_.findChildren<QLocalSocket*>()) s->abort();
}

void LinkServer::accept() {
    while (QLocalSocket* s = server_.nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        if (!instancelink::peerIsThisUser(int(s->socketDescriptor()))) {
            s->abort();
            continue;
        }
        auto* stall = new QTimer(s);
        stall->setSingleShot(true);
        connect(stall, &QTimer::timeout, s, &QLocalSocket::abort);
        stall->start(kStallMs);

        auto received = std::make_shared<QByteArray>();
        auto read = [this, s, received, stall] {
            *received += s->readAll();
            const linkmessage::Decoded d = linkmessage::decode(*received);
            if (d.status == linkmessage::Status::Incomplete) return;
            stall->stop();
            disconnect(s, &QLocalSocket::readyRead, this, nullptr);
            if (d.status == linkmessage::Status::Invalid || closed_) {
                s->abort();
                return;
            }
            // The answer goes out before the words are acted on, which may
            // take a while (a dialog) or end the program.
            s->write(&linkmessage::kAck, 1);
            s->flush();
            s->disconnectFromServer();
            emit wordsReceived(d.words);
        };
        connect(s, &QLocalSocket::readyRead, this, read);
        // What arrived before the connection was taken.
        if (s->bytesAvailable() > 0) read();
    }
}
