#include "search/fsindex.h"

#include <QFile>
#include <QTemporaryFile>

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>

#include "lists/config.h"
#include "lists/listfile.h"
#include "lists/textfile.h"

namespace fsindex {

namespace {

QString folderPart(const QString& setting) {
    const qsizetype star = setting.indexOf(u'*');
    return star < 0 ? setting : setting.left(star);
}

// `path` is `folder` or lies inside it.
bool inside(QString path, QString folder) {
    if (folder.isEmpty() || path.isEmpty()) return false;
    if (!folder.endsWith(u'/')) folder += u'/';
    if (!path.endsWith(u'/')) path += u'/';
    return path.startsWith(folder);
}

}  // namespace

std::vector<FolderSetting> folderSettings(const QString& fsSearchPaths,
                                          const std::function<QStringList(int)>& specialFolders) {
    std::vector<FolderSetting> folders;
    auto special = [&](int n) {
        const bool apps = n == UserStartMenu || n == CommonStartMenu;
        for (const QString& f : specialFolders(n)) folders.push_back({f, apps});
    };
    if (fsSearchPaths.isEmpty()) {
        for (int n : {CommonDesktop, UserDesktop, UserDocuments, CommonDocuments, CommonStartMenu,
                      UserStartMenu})
            special(n);
        return folders;
    }
    const QStringList appFolders = specialFolders(UserStartMenu) + specialFolders(CommonStartMenu);
    for (const QString& item : fsSearchPaths.split(u';')) {
        const QString lower = item.toLower();
        if (lower == u"desktop") {
            special(CommonDesktop);
            special(UserDesktop);
        } else if (lower == u"my documents") {
            special(UserDocuments);
            special(CommonDocuments);
        } else if (lower == u"start menu") {
            special(CommonStartMenu);
            special(UserStartMenu);
        } else if (!item.startsWith(u'/')) {
            // A relative folder would be walked from wherever the program
            // happened to start (a ";" inside a folder name once split it so).
            continue;
        } else {
            bool apps = false;
            for (const QString& a : appFolders) apps = apps || inside(folderPart(item), a);
            folders.push_back({item, apps});
        }
    }
    return folders;
}

void IndexFolderSetting(const FolderSetting& entry, const Walker& walker, SearchLines& out) {
    const qsizetype star = entry.setting.indexOf(u'*');
    const QString folder = star < 0 ? entry.setting : entry.setting.left(star);
    const QString patterns = star < 0 ? QString() : entry.setting.mid(star);
    if (folder.isEmpty()) return;
    WalkFolderPatterns(folder, patterns, entry.applications, walker, out);
}

void WalkFolderPatterns(const QString& folder, const QString& patterns, bool applications,
                        const Walker& walker, SearchLines& out) {
    const QString all = patterns.isEmpty() ? QStringLiteral("*.*") : patterns;
    QByteArray path = QFile::encodeName(folder);
    // The configured folder itself may be a link (to a folder on another
    // disk, say): it is followed here, once. Links inside it never are.
    QByteArray bare = path;
    while (bare.size() > 1 && bare.endsWith('/')) bare.chop(1);
    struct stat st {};
    if (::lstat(bare.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(bare.constData(), nullptr)) {
            path = QByteArray(real);
            ::free(real);
        }
    }
    for (const QString& pattern : all.split(u'|'))
        WalkFolder(path, QFile::encodeName(pattern), applications, walker, out);
}

bool patternMatches(const QByteArray& pattern, const QByteArray& name) {
    if (pattern == "*.*" || pattern == "*") return true;
    // Only "*" and "?" are wildcards; "[" and "\\" are characters like any
    // other. Each "*" is tried at its last place first, going back to one
    // more character only when the rest does not match.
    qsizetype p = 0, n = 0, star = -1, starFrom = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starFrom = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++starFrom;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

QString withSearchFolder(const QString& fsSearchPaths, const QString& folder) {
    // The empty setting stands for the default folders: they stay.
    const QString before = fsSearchPaths.isEmpty()
                               ? QString::fromLatin1(configfile::kDefaultSearchPaths)
                               : fsSearchPaths;
    return before + u';' + folder;
}

namespace {

bool breaksLine(char c) {
    return c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool fitsIndexLine(QByteArrayView path) {
    return std::none_of(path.begin(), path.end(), breaksLine);
}

QByteArray indexTitle(QByteArray title) {
    for (char& c : title)
        if (breaksLine(c)) c = ' ';
    return title;
}

void WalkFolder(const QByteArray& folderIn, const QByteArray& pattern, bool applications,
                const Walker& walker, SearchLines& out) {
    if (walker.stop && walker.stop->load(std::memory_order_relaxed)) return;
    const QByteArray folder = folderIn.endsWith('/') ? folderIn : folderIn + '/';
    // Nothing below a folder whose path breaks a line could be stored.
    if (!fitsIndexLine(folder)) return;
    std::vector<FolderItem> items;
    if (!walker.readFolder || !walker.readFolder(folder, items)) return;
    std::vector<QByteArray> subfolders;
    QByteArray line;
    for (FolderItem& item : items) {
        if (item.folder) {
            subfolders.push_back(std::move(item.name));
            continue;
        }
        // A name is a field of its line: one with a TAB or a line end
        // would forge the program, its arguments or whole lines, so such a
        // file is never offered to be run.
        if (!fitsIndexLine(item.name) || !patternMatches(pattern, item.name)) continue;
        // An applications folder also holds the menus' caches
        // (mimeinfo.cache): only its entries start anything.
        if (applications && !item.name.endsWith(".desktop")) continue;
        QByteArray title = item.name;
        if (applications && walker.desktopEntryTitle) {
            if (!walker.desktopEntryTitle(folder + item.name, title)) continue;
            title = indexTitle(title.isEmpty() ? item.name : title);
        }
        line.resize(0);
        line.append(title).append('\t').append(item.name).append('\t').append(folder);
        out.append(QByteArrayView(line));
    }
    items.clear();
    items.shrink_to_fit();
    for (const QByteArray& name : subfolders)
        if (fitsIndexLine(name))
            WalkFolder(folder + name + '/', pattern, applications, walker, out);
}

void ReadAllLists(const QString& programFolder, SearchLines& lines, QStringList& names) {
    lines.clear();
    names.clear();
    // Which list named each queued name, to see a circle: -1 the top list.
    std::vector<qsizetype> namedBy;
    auto readList = [&](const QString& stem, qsizetype reader) {
        SearchLines one;
        if (!one.readFile(listfile::pathFor(programFolder, stem))) return false;
        lines.append(one);
        for (int k = 0; k < one.size(); ++k) {
            const QByteArrayView line = one.bytes(k);
            const qsizetype tab = line.indexOf('\t');
            if (tab < 0) {
                names << textfile::decodeLine(line);
                namedBy.push_back(reader);
                continue;
            }
            // At least three fields with an empty second one: a sublist.
            const QByteArrayView rest = line.sliced(tab + 1);
            if (rest.startsWith('\t')) {
                names << textfile::decodeLine(line.first(tab));
                namedBy.push_back(reader);
            }
        }
        return true;
    };
    if (!readList(QString::fromLatin1(listfile::kTopStem), -1)) return;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = names[i];
        bool circle = false;
        for (qsizetype up = namedBy[size_t(i)]; up >= 0 && !circle; up = namedBy[size_t(up)])
            circle = names[up] == name;
        const QString stem = QStringLiteral("m") + name;
        if (circle || !listfile::isSafeStem(stem)) continue;
        readList(stem, i);
    }
}

bool LoadFsIndex(const QString& file, SearchLines& lines) {
    return lines.readFile(file);
}

bool SaveFsIndex(const QString& file, const SearchLines& lines) {
    // A temporary file is created for the user only; it replaces the old
    // index in one step once every byte is written.
    QTemporaryFile tmp(file + QStringLiteral(".XXXXXX"));
    if (!tmp.open()) return false;
    if (!lines.writeTo(tmp) || !tmp.flush()) return false;
    tmp.close();
    if (tmp.error() != QFileDevice::NoError) return false;
    const QByteArray from = QFile::encodeName(tmp.fileName());
    if (::rename(from.constData(), QFile::encodeName(file).constData()) != 0) return false;
    tmp.setAutoRemove(false);
    return true;
}

}  // namespace fsindex
