// The search box over a file-system index of a million lines, next to grep
// over the same file.
//
//   search [lines [load]]    (default 1000000; "load": the load figures only)
//
// Load: FsSearch.txt read until searchable, against `grep -c x`, and the
// bytes held against the file's size; first in a fresh process (the
// program run again for each sample, as a user starting the launcher meets
// it) and again within one process. Search: every keystroke of a few
// typed words, from the changed text to the result rows painted, against
// `grep -ciF <text>`; the two run alternately, so both see the same load of
// the machine.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <random>
#include <string>

#include "app/form1.h"
#include "benchutil.h"
#include "controls.h"
#include "fakeplatform.h"
#include "search/fsindex.h"

namespace {

// An index like a real one: list lines first, then file lines of nested
// folders with names made of common words.
QByteArray makeIndex(int lines) {
    static const char* words[] = {"report",  "draft",  "photo",   "invoice", "notes",   "setup",
                                  "backup",  "music",  "video",   "letter",  "budget",  "plan",
                                  "readme",  "config", "image",   "scan",    "summary", "project",
                                  "archive", "todo",   "Holiday", "Meeting", "Final",   "Old"};
    static const char* exts[] = {".pdf", ".txt", ".jpg", ".odt", ".png", ".desktop", ".sh", ".mp3"};
    std::mt19937 random(42);
    auto word = [&] { return QByteArray(words[random() % std::size(words)]); };
    QByteArray out;
    out.reserve(qsizetype(lines) * 80);
    for (int i = 0; i < 200 && i < lines; ++i)
        out += word() + ' ' + QByteArray::number(i) + "\t/usr/bin/" + word() + "\t\t\t\t\r\n";
    QByteArray folder = "/home/user/Documents/";
    for (int i = 200; i < lines; ++i) {
        if (i % 40 == 0)
            folder =
                "/home/user/Documents/" + word() + '/' + word() + QByteArray::number(i / 40) + '/';
        const QByteArray name =
            word() + '_' + word() + QByteArray::number(i % 977) + exts[random() % std::size(exts)];
        out += name + '\t' + name + '\t' + folder + "\r\n";
    }
    return out;
}

double residentBytes() {
    QFile f("/proc/self/statm");
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) : 0;
}

}  // namespace

// The child run of the first-load samples: loads `file` once and prints the
// milliseconds it took and the resident bytes it added.
int loadOnce(const char* file) {
    const double before = residentBytes();
    const auto t = bench::Clock::now();
    SearchLines lines;
    fsindex::LoadFsIndex(QFile::decodeName(file), lines);
    const double ms = bench::msSince(t);
    std::printf("%f %f\n", ms, residentBytes() - before);
    return lines.isEmpty() ? 1 : 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--load-once") return loadOnce(argv[2]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    QTemporaryDir dir;
    const QString file = dir.path() + "/FsSearch.txt";
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write(makeIndex(count));
    }
    const std::string path = QFile::encodeName(file).toStdString();
    const double fileBytes = double(QFile(file).size());

    // ---- load ----
    std::vector<double> ours, grep;
    std::int64_t held = 0;
    {
        // A fresh process per sample; the two tools alternate.
        std::vector<double> first, firstGrep, added;
        for (int run = 0; run < 7; ++run) {
            firstGrep.push_back(bench::timeTool({"grep", "-c", "x", path}));
            std::string out;
            bench::timeTool({argv[0], "--load-once", path}, &out);
            double ms = 0, bytes = 0;
            if (std::sscanf(out.c_str(), "%lf %lf", &ms, &bytes) != 2) return 1;
            first.push_back(ms);
            added.push_back(bytes);
        }
        std::printf(
            "first load of a process (%zu fresh processes): ours median %.1f ms (max %.1f), "
            "grep -c x %.1f ms, ratio %.2f (limit 5); resident memory added %.2f x the file\n",
            first.size(), bench::median(first), bench::percentile(first, 1.0),
            bench::median(firstGrep), bench::median(first) / bench::median(firstGrep),
            bench::median(added) / fileBytes);
    }
    for (int run = 0; run < 7; ++run) {
        grep.push_back(bench::timeTool({"grep", "-c", "x", path}));
        const auto t = bench::Clock::now();
        SearchLines lines;
        fsindex::LoadFsIndex(file, lines);
        ours.push_back(bench::msSince(t));
        held = lines.heldBytes();
    }
    std::printf(
        "load %d lines (%.1f MB): ours %.1f ms, grep -c x %.1f ms, ratio %.2f (limit 5); "
        "memory %.2f x the file (limit 2)\n",
        count, fileBytes / 1e6, bench::median(ours), bench::median(grep),
        bench::median(ours) / bench::median(grep), double(held) / fileBytes);
    if (argc > 2 && std::string(argv[2]) == "load") return 0;

    // ---- keystrokes ----
    FakePlatform plat;
    FakeDialogs dlg;
    Form1 form(plat, dlg, dir.path(), QString());
    form.Form_Load();
    form.show();
    form.Timer1_Timer();
    form.mSearch(QStringLiteral("searchFS"));
    while (form.Search().scanBusy()) app.processEvents();
    std::printf("index in the window: %d lines\n", form.Search().List2()->size());

    const QStringList typed = {"report", "holiday_p", "scan_b", "x", "final", "zz", "me"};
    std::vector<double> ratios, oursMs, grepMs;
    for (int round = 0; round < 3; ++round) {
        for (const QString& word : typed) {
            control<QLineEdit>(form, "Text2")->clear();
            app.processEvents();
            for (qsizetype k = 1; k <= word.size(); ++k) {
                const QString text = word.left(k);
                std::string counted;
                const double g =
                    bench::timeTool({"grep", "-ciF", text.toStdString(), path}, &counted);
                const auto t = bench::Clock::now();
                control<QLineEdit>(form, "Text2")->setText(text);
                control<ListView>(form, "List1")->viewport()->repaint();
                const double o = bench::msSince(t);
                oursMs.push_back(o);
                grepMs.push_back(g);
                ratios.push_back(o / g);
                if (round == 0)
                    std::printf("  %-10s ours %7.2f ms (%7d rows)  grep %7.2f ms (%s lines)\n",
                                text.toUtf8().constData(), o,
                                control<ListView>(form, "List1")->ListItems().Count(), g,
                                std::string(counted.substr(0, counted.find('\n'))).c_str());
            }
        }
    }
    std::printf(
        "keystrokes: %zu; ours median %.2f ms, p95 %.2f ms; grep -ciF median %.2f ms, "
        "p95 %.2f ms\n",
        ratios.size(), bench::median(oursMs), bench::percentile(oursMs, 0.95),
        bench::median(grepMs), bench::percentile(grepMs, 0.95));
    std::printf("ratio ours/grep per keystroke: median %.2f (limit 1.0), p95 %.2f (limit 2.0)\n",
                bench::median(ratios), bench::percentile(ratios, 0.95));
    return 0;
}
