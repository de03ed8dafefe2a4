// The walk over a folder tree the input describes, with any names a file
// system allows (TAB, CR, LF, bytes that are not UTF-8). Every line has
// exactly the three fields title, name and folder; exactly the files whose
// path a line can hold are indexed; the index reloads as the same lines.
#include <QByteArray>
#include <QList>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <vector>

#include "fuzzcheck.h"
#include "search/fsindex.h"
#include "search/searchlines.h"

namespace {

bool storable(const QByteArray& path) {
    return !path.contains('\t') && !path.contains('\r') && !path.contains('\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input is names separated by NUL: a name ending in "/" is a folder
    // that the following names go into, ".." goes back up; "/" inside a
    // name is dropped, as no file system allows it. The first byte's low
    // bit makes the tree an applications folder.
    if (size == 0) return 0;
    const bool applications = data[0] & 1;
    const QByteArray input(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const QByteArray root("/r/");
    std::map<QByteArray, std::vector<FolderItem>> tree{{root, {}}};
    std::vector<QByteArray> stack{root};
    int expected = 0;
    for (QByteArray name : input.split('\0')) {
        if (name == "..") {
            if (stack.size() > 1) stack.pop_back();
            continue;
        }
        const bool folder = name.endsWith('/');
        name.replace("/", "");
        if (name.isEmpty() || name == ".") continue;
        const QByteArray path = stack.back() + name;
        if (folder) {
            if (tree.count(path + '/')) continue;
            tree[stack.back()].push_back({name, true});
            tree[path + '/'] = {};
            stack.push_back(path + '/');
        } else {
            tree[stack.back()].push_back({name, false});
            // An applications folder gives only its entries, less the hidden ones.
            const bool entry = !applications || (name.endsWith(".desktop") && !name.contains('h'));
            if (storable(path) && entry) ++expected;
        }
    }

    fsindex::Walker walker;
    walker.readFolder = [&](const QByteArray& path, std::vector<FolderItem>& items) {
        auto it = tree.find(path);
        if (it == tree.end()) return false;
        items = it->second;
        return true;
    };
    // An entry's title is its own name backwards, line breaks and all.
    walker.desktopEntryTitle = [](const QByteArray& path, QByteArray& title) {
        const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
        if (name.contains('h')) return false;
        title = name;
        std::reverse(title.begin(), title.end());
        title += "\t\r\n";
        return true;
    };
    SearchLines out;
    fsindex::IndexFolderSetting({QString::fromLatin1("/r"), applications}, walker, out);
    FUZZ_CHECK(out.size() == expected);
    for (int i = 0; i < out.size(); ++i) {
        const QList<QByteArray> fields = out.bytes(i).toByteArray().split('\t');
        FUZZ_CHECK(fields.size() == 3);
        FUZZ_CHECK(fields[2].startsWith(root) && fields[2].endsWith('/'));
        FUZZ_CHECK(tree.count(fields[2]));
        FUZZ_CHECK(storable(fields[0]) && storable(fields[1]));
    }

    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("FsSearch.txt"));
    FUZZ_CHECK(fsindex::SaveFsIndex(file, out));
    SearchLines back;
    FUZZ_CHECK(fsindex::LoadFsIndex(file, back));
    FUZZ_CHECK(back.size() == out.size());
    FUZZ_CHECK(back.fileBytes() == out.fileBytes());
    return 0;
}
