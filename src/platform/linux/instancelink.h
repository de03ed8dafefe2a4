#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

#include "platform/linux/linkclaim.h"

// The link between copies of the launcher (see linkclaim.h) in Qt's types,
// for the running copy and the tools that test the link. Every rule lives
// in linkclaim, which the executable uses on its own: both sides agree on
// the places, the checks and the lock.
namespace instancelink {

QString runtimeFolder();

struct Place {
    QString socketPath;  // empty when the link has no place
    QString lockPath;
};
Place placeFor(const QString& programFolder, const QString& runtimeFolder);

using linkclaim::peerIsThisUser;
using linkclaim::SendResult;

SendResult send(const QString& socketPath, const QByteArray& message,
                std::chrono::milliseconds timeout, bool checkPeer = true);

}  // namespace instancelink

class InstanceLink {
public:
    using Role = linkclaim::Role;

    explicit InstanceLink(const QString& programFolder);
    // Lets a test put the link somewhere else than the user's runtime folder.
    InstanceLink(const QString& programFolder, const QString& runtimeFolder);
    ~InstanceLink();

    Role claim(const QStringList& words,
               std::chrono::milliseconds patience = std::chrono::seconds(10));

    // Where the first copy listens.
    QString socketPath() const;

    static constexpr std::chrono::milliseconds kAnswerTimeout = linkclaim::Claim::kAnswerTimeout;

private:
    std::unique_ptr<linkclaim::Claim> claim_;
};
