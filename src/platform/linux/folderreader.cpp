#include "platform/linux/folderreader.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>

#include "platform/linux/desktopentry.h"

namespace folderreader {

namespace {

// The layout the kernel uses for getdents64.
struct LinuxDirent64 {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

}  // namespace

bool readFolder(const QByteArray& path, std::vector<FolderItem>& items) {
    items.clear();
    // Without a trailing "/" the open refuses a link instead of following it.
    QByteArray name = path;
    while (name.size() > 1 && name.endsWith('/')) name.chop(1);
    const int fd =
        ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    alignas(8) char buffer[64 * 1024];
    bool ok = true;
    for (;;) {
        const long n = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        for (long at = 0; at < n;) {
            const auto* d = reinterpret_cast<const LinuxDirent64*>(buffer + at);
            at += d->d_reclen;
            const char* name = d->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            unsigned char type = d->d_type;
            if (type == DT_UNKNOWN) {
                struct stat st;
                type = ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 ? DT_DIR
                       : S_ISDIR(st.st_mode)                              ? DT_DIR
                                                                          : DT_REG;
            }
            items.push_back({QByteArray(name, qsizetype(std::strlen(name))), type == DT_DIR});
        }
    }
    ::close(fd);
    // A folder that lists partly still gives what it listed.
    return ok || !items.empty();
}

bool desktopEntryTitle(const QByteArray& fileText, const QStringList& languages,
                       QByteArray& title) {
    bool inGroup = false;
    QByteArray plain;
    int bestRank = int(languages.size());
    QByteArray best;
    for (QByteArray line : fileText.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inGroup) continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if ((key == "Hidden" || key == "NoDisplay") && value == "true") return false;
        if (key == "Name") {
            if (plain.isEmpty()) plain = value;
        } else if (key.startsWith("Name[") && key.endsWith(']')) {
            const QString lang = QString::fromUtf8(key.mid(5, key.size() - 6));
            const int rank = int(languages.indexOf(lang));
            if (rank >= 0 && rank < bestRank) {
                bestRank = rank;
                best = value;
            }
        }
    }
    const QByteArray chosen = best.isEmpty() ? plain : best;
    title = desktopentry::unescapeValue(QString::fromUtf8(chosen)).toUtf8();
    return true;
}

QStringList userLanguages() {
    QByteArray locale;
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qgetenv(var);
        if (!locale.isEmpty()) break;
    }
    // "de_AT.UTF-8@euro" -> "de_AT", "de"
    QString l = QString::fromLatin1(locale);
    l = l.section(u'.', 0, 0).section(u'@', 0, 0);
    QStringList out;
    if (l.isEmpty() || l == u"C" || l == u"POSIX") return out;
    out << l;
    if (l.contains(u'_')) out << l.section(u'_', 0, 0);
    return out;
}

QStringList specialFolders(int number) {
    auto existing = [](const QString& p) {
        return !p.isEmpty() && QFileInfo(p).isDir() ? QStringList{p} : QStringList{};
    };
    // A desktop or documents folder that is the home folder itself (the
    // user switched it off) would index every file the user has.
    auto userFolder = [&](QStandardPaths::StandardLocation where) {
        const QString p = QStandardPaths::writableLocation(where);
        if (QDir(p) == QDir::home()) return QStringList{};
        return existing(p);
    };
    switch (number) {
        case 0:
            return userFolder(QStandardPaths::DesktopLocation);
        case 5:
            return userFolder(QStandardPaths::DocumentsLocation);
        case 11:
            return existing(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
        case 22: {
            // Every applications folder of the system, in the order the
            // desktop searches them, without the user's own.
            QStringList all =
                QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
            all.removeAll(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
            QStringList out;
            for (const QString& p : all) out += existing(p);
            return out;
        }
        default:
            return {};
    }
}

}  // namespace folderreader
