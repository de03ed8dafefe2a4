#include "platform/linux/instancelink.h"

#include <QFile>

namespace {

std::string fileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromFileName(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace

namespace instancelink {

QString runtimeFolder() {
    return fromFileName(linkclaim::runtimeFolder());
}

Place placeFor(const QString& programFolder, const QString& runtimeFolder) {
    const linkclaim::Place p =
        linkclaim::placeFor(fileName(programFolder), fileName(runtimeFolder));
    return {fromFileName(p.socketPath), fromFileName(p.lockPath)};
}

SendResult send(const QString& socketPath, const QByteArray& message,
                std::chrono::milliseconds timeout, bool checkPeer) {
    return linkclaim::send(fileName(socketPath), message.toStdString(), timeout, checkPeer);
}

}  // namespace instancelink

InstanceLink::InstanceLink(const QString& programFolder)
    : claim_(std::make_unique<linkclaim::Claim>(fileName(programFolder))) {}

InstanceLink::InstanceLink(const QString& programFolder, const QString& runtimeFolder)
    : claim_(std::make_unique<linkclaim::Claim>(fileName(programFolder), fileName(runtimeFolder))) {
}

InstanceLink::~InstanceLink() = default;

InstanceLink::Role InstanceLink::claim(const QStringList& words,
                                       std::chrono::milliseconds patience) {
    std::vector<std::string> utf8;
    for (const QString& w : words) utf8.push_back(w.toStdString());
    return claim_->claim(utf8, patience);
}

QString InstanceLink::socketPath() const {
    return fromFileName(claim_->socketPath());
}
