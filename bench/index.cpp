// Building the file-system index over a tree of 100,000 files, next to
// `find <root> -type f` over the same tree.
//
//   index [files]    (default 100000)
//
// Ours walks the tree as the index build does and writes FsSearch.txt.
// Cold-ish: each tool's first walk of a tree made just before (the machine's
// caches are shared, so they are not dropped). Warm: the same tree again,
// the two tools alternating.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>

#include "benchutil.h"
#include "platform/linux/folderreader.h"
#include "search/fsindex.h"

namespace {

// 10 top folders, each with 10 subfolders of 10 folders holding the files.
void makeTree(const QString& root, int files) {
    const int leaves = 1000;
    const int perLeaf = (files + leaves - 1) / leaves;
    int made = 0;
    for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b)
            for (int c = 0; c < 10; ++c) {
                const QString folder =
                    QStringLiteral("%1/top%2/mid%3/leaf%4").arg(root).arg(a).arg(b).arg(c);
                QDir().mkpath(folder);
                const QByteArray f = QFile::encodeName(folder);
                for (int k = 0; k < perLeaf && made < files; ++k, ++made) {
                    const QByteArray name = f + "/document_" + QByteArray::number(k) + ".txt";
                    const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
                    if (fd >= 0) ::close(fd);
                }
            }
}

int ourWalk(const QString& root, const QString& indexFile, double& ms) {
    const auto t = bench::Clock::now();
    fsindex::Walker walker;
    walker.readFolder = &folderreader::readFolder;
    SearchLines index;
    fsindex::IndexFolderSetting({root}, walker, index);
    fsindex::SaveFsIndex(indexFile, index);
    ms = bench::msSince(t);
    return index.size();
}

double findWalk(const QString& root, int& lines) {
    std::string out;
    const double ms =
        bench::timeTool({"find", QFile::encodeName(root).toStdString(), "-type", "f"}, &out);
    lines = int(std::count(out.begin(), out.end(), '\n'));
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 100'000;
    QTemporaryDir dir;
    const QString indexFile = dir.path() + "/FsSearch.txt";

    // Cold-ish: a fresh tree for each tool's first walk, the order swapped.
    for (int round = 0; round < 2; ++round) {
        const QString a = dir.path() + QStringLiteral("/cold%1a").arg(round);
        const QString b = dir.path() + QStringLiteral("/cold%1b").arg(round);
        makeTree(a, files);
        makeTree(b, files);
        double ours = 0;
        int findLines = 0;
        double found = 0;
        int ourLines = 0;
        if (round == 0) {
            ourLines = ourWalk(a, indexFile, ours);
            found = findWalk(b, findLines);
        } else {
            found = findWalk(a, findLines);
            ourLines = ourWalk(b, indexFile, ours);
        }
        std::printf(
            "cold-ish %d: ours %.1f ms (%d lines, index written), find %.1f ms (%d files), "
            "ratio %.2f\n",
            round + 1, ours, ourLines, found, findLines, ours / found);
        QDir(a).removeRecursively();
        QDir(b).removeRecursively();
    }

    const QString root = dir.path() + "/warm";
    makeTree(root, files);
    std::vector<double> ours, finds, ratios;
    for (int run = 0; run < 9; ++run) {
        double o = 0;
        int n = 0;
        if (run % 2) {
            ourWalk(root, indexFile, o);
            finds.push_back(findWalk(root, n));
        } else {
            finds.push_back(findWalk(root, n));
            ourWalk(root, indexFile, o);
        }
        ours.push_back(o);
        ratios.push_back(o / finds.back());
    }
    std::printf(
        "warm: ours median %.1f ms, find -type f median %.1f ms, ratio median %.2f "
        "(limit 1.0)\n",
        bench::median(ours), bench::median(finds), bench::median(ratios));
    return 0;
}
