// The index file as any bytes. An index of N lines saves and loads again as
// the same N lines; a search finds exactly the lines whose folded title
// holds the text, and narrowing a search (refine) finds what a fresh search
// finds. A list's lines, whose titles are folded only as a search reads
// them, are found alike.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <vector>

#include "fuzzcheck.h"
#include "search/fsindex.h"
#include "search/quicksearch.h"
#include "search/searchlines.h"

namespace {

std::vector<int> plainSearch(const SearchLines& s, const QByteArray& folded) {
    std::vector<int> found;
    if (folded.contains('\n') || folded.contains('\r') || folded.contains('\t')) return found;
    for (int i = 0; i < s.size(); ++i) {
        const QByteArrayView title = s.foldedTitle(i);
        if (!title.isEmpty() && title.contains(folded)) found.push_back(i);
    }
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first line (up to a NUL) is what is typed, the rest the file.
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nul = all.indexOf('\0');
    const QByteArray typed = nul < 0 ? QByteArray() : all.left(nul);
    const QByteArray file = nul < 0 ? all : all.mid(nul + 1);

    SearchLines index;
    index.assignFile(file);
    const int n = index.size();
    for (int i = 0; i < n; ++i) {
        FUZZ_CHECK(!index.bytes(i).contains('\n') && !index.bytes(i).contains('\r'));
        FUZZ_CHECK(!index.foldedTitle(i).contains('\n'));
    }

    SearchLines copy;
    copy.assignFile(index.fileBytes());
    FUZZ_CHECK(copy.size() == n);
    for (int i = 0; i < n; ++i) FUZZ_CHECK(copy.bytes(i) == index.bytes(i));

    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FsSearch.txt"));
    FUZZ_CHECK(fsindex::SaveFsIndex(path, index));
    SearchLines loaded;
    FUZZ_CHECK(fsindex::LoadFsIndex(path, loaded));
    FUZZ_CHECK(loaded.size() == n);
    FUZZ_CHECK(loaded.fileBytes() == index.fileBytes());

    SearchLines list(SearchLines::Titles::Raw);
    list.assignFile(file);
    FUZZ_CHECK(list.size() == n);

    // Typing the text a character at a time, as the search box does.
    const QString text = QString::fromUtf8(typed);
    quicksearch::Filter running, runningList;
    for (qsizetype k = 0; k <= text.size(); ++k) {
        const QString part = text.left(k);
        const QByteArray folded = foldSearchText(part);
        const std::vector<int> fresh = quicksearch::filter(index, folded);
        FUZZ_CHECK(fresh == plainSearch(index, folded));
        FUZZ_CHECK(running.update(index, part) == fresh);
        FUZZ_CHECK(quicksearch::filter(list, folded) == fresh);
        FUZZ_CHECK(runningList.update(list, part) == fresh);
        if (k > 0) {
            const QByteArray shorter = foldSearchText(text.left(k - 1));
            if (folded.startsWith(shorter))
                FUZZ_CHECK(quicksearch::refine(index, quicksearch::filter(index, shorter),
                                               folded) == fresh);
        }
    }
    return 0;
}
