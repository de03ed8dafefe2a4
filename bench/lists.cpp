// The launcher's window over a top list of a million entries, next to grep
// over the same file.
//
//   lists [entries [runs]]    (default 1000000 entries, 5 runs)
//
// Each run starts the program afresh (this executable again, with the real
// Form1 offscreen) and alternates with its reference tools:
//
// - start: from the exec of the program to the list's rows painted, against
//   `grep -c x` over the list file; resident memory, peak and at that point,
//   against the file's size;
// - quick search: a letter typed into the list, to the rows found painted,
//   against `grep -ciF <letter>`; then the next letters typed into the box
//   against grep with the longer text; memory once the box is closed;
// - back: Backspace on the results, to the whole list painted again;
// - quit: the quit command to the end of the process.
//
// "Painted" is a paint event of the list's viewport that ran with the rows
// in the model; "usable" is that paint after start-up has finished.
//
// A floor is timed in the same loop: a bare Qt program that reads the file
// into memory (as the launcher does, into large pages), counts its lines
// and shows a QTreeView with that many rows, each drawn as a fixed text. Whatever the launcher
// costs above it is its own; what the floor costs, any Qt program holding the file pays.
#include <QAbstractListModel>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "app/form1.h"
#include "benchutil.h"
#include "controls.h"
#include "fakeplatform.h"
#include "lists/textfile.h"

namespace {

// A top list like a real one grown large: programs with their folders and
// arguments, every so often a sublist, a coloured or a bold entry.
QByteArray makeList(int entries) {
    static const char* words[] = {"Editor", "Mail",   "Browser", "Terminal", "Player", "Viewer",
                                  "Office", "Backup", "Notes",   "Paint",    "Scan",   "Chat",
                                  "Maps",   "Photos", "Music",   "Video",    "Files",  "Tools"};
    std::mt19937 random(7);
    auto word = [&] { return QByteArray(words[random() % std::size(words)]); };
    QByteArray out;
    out.reserve(qsizetype(entries) * 72);
    for (int i = 0; i < entries; ++i) {
        const QByteArray name = word() + ' ' + word() + ' ' + QByteArray::number(i);
        if (i % 97 == 0) {
            out += name + "\r\n";  // a sublist
            continue;
        }
        const QByteArray program = word().toLower() + QByteArray::number(i % 4093);
        out += name + '\t' + program + "\t/usr/lib/" + program + "/\t--" + word().toLower();
        if (i % 13 == 0)
            out += "\t0,128,255\tBold";
        else if (i % 7 == 0)
            out += "\t200,0,0\t";
        else
            out += "\t\t";
        out += "\r\n";
    }
    return out;
}

std::int64_t statusKb(const char* field) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ')[0].toLongLong();
    return 0;
}

double rssMb() {
    return double(statusKb("VmRSS:")) / 1024.0;
}

double peakMb() {
    return double(statusKb("VmHWM:")) / 1024.0;
}

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               bench::Clock::now().time_since_epoch())
        .count();
}

double msSinceNs(std::int64_t ns) {
    return double(nowNs() - ns) / 1e6;
}

// Counts the paint events of the list's viewport that ran with `rows` rows
// in the model.
class PaintProbe : public QObject {
public:
    PaintProbe(Form1& form) : form_(form) {
        control<ListView>(form, "List1")->viewport()->installEventFilter(this);
    }
    int painted(int rows) const { return rows == rows_ ? count_ : 0; }
    void expect(int rows) {
        rows_ = rows;
        count_ = 0;
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint &&
            control<ListView>(form_, "List1")->ListItems().Count() == rows_)
            ++count_;
        return false;
    }

private:
    Form1& form_;
    int rows_ = -1;
    int count_ = 0;
};

// Runs events until `done`; false after a minute without it.
template <class Done>
bool runUntil(QApplication& app, Done done) {
    const auto start = bench::Clock::now();
    while (!done()) {
        if (bench::msSince(start) > 60'000) return false;
        app.processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

void key(QWidget* to, int k, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(to, &release);
}

// One run of the program: prints "name value" lines for the parent.
int runOnce(const QString& folder, int entries, std::int64_t execNs, bool search) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "brennomix";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    FakePlatform plat;
    FakeDialogs dlg;
    auto* form = new Form1(plat, dlg, folder, QString());
    PaintProbe probe(*form);
    probe.expect(entries);
    form->Form_Load();
    form->Cfg().quickSearch = true;
    form->show();
    // The launcher's own start-up: the first tick loads the list.
    if (!runUntil(app, [&] { return form->StartedUp() && probe.painted(entries) > 0; })) return 1;
    std::printf("usable %f\nrss %f\npeak %f\n", msSinceNs(execNs), rssMb(), peakMb());
    if (!search) {
        std::printf("quitat %lld\n", static_cast<long long>(nowNs()));
        std::fflush(stdout);
        form->mnuQuit_Click();
        delete form;
        return 0;
    }
    const std::string file = QFile::encodeName(folder + "/Brennomix.ini").toStdString();
    const double before = rssMb();
    const QStringList typed = {"mai", "ter", "pho", "scan", "o", "x"};
    for (const QString& word : typed) {
        const double g = bench::timeTool({"grep", "-ciF", word.left(1).toStdString(), file});
        control<ListView>(*form, "List1")->setFocus();
        probe.expect(-1);
        auto t = bench::Clock::now();
        key(control<ListView>(*form, "List1"), Qt::Key_A + (word[0].unicode() - u'a'),
            word.left(1));
        const int found = control<ListView>(*form, "List1")->ListItems().Count();
        probe.expect(found);
        control<ListView>(*form, "List1")->viewport()->repaint();
        if (!probe.painted(found)) return 2;
        std::printf("first %f %f %d\n", bench::msSince(t), g, found);
        for (qsizetype k = 2; k <= word.size(); ++k) {
            const double gk = bench::timeTool({"grep", "-ciF", word.left(k).toStdString(), file});
            t = bench::Clock::now();
            control<QLineEdit>(*form, "Text2")->setText(word.left(k));
            const int n = control<ListView>(*form, "List1")->ListItems().Count();
            probe.expect(n);
            control<ListView>(*form, "List1")->viewport()->repaint();
            if (!probe.painted(n)) return 2;
            std::printf("next %f %f %d\n", bench::msSince(t), gk, n);
        }
        // Escape closes the box over the rows found, Backspace goes back to
        // the list.
        form->mSearch(QStringLiteral("disable"));
        app.processEvents();
        std::printf("closed %f\n", rssMb() - before);
        control<ListView>(*form, "List1")->setFocus();
        probe.expect(entries);
        t = bench::Clock::now();
        key(control<ListView>(*form, "List1"), Qt::Key_Backspace);
        control<ListView>(*form, "List1")->viewport()->repaint();
        if (!probe.painted(entries)) return 3;
        std::printf("back %f\n", bench::msSince(t));
    }
    std::printf("peakafter %f\n", peakMb());
    std::printf("quitat %lld\n", static_cast<long long>(nowNs()));
    std::fflush(stdout);
    // As the program quits: the command ends it, then the window goes.
    form->mnuQuit_Click();
    delete form;
    return 0;
}

// The floor: the file held, one row per line in a QTreeView, nothing else.
class FloorModel : public QAbstractListModel {
public:
    explicit FloorModel(int rows) : rows_(rows) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    QVariant data(const QModelIndex&, int role) const override {
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("Entry")) : QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex&) const override {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

private:
    int rows_;
};

class PaintCount : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
};

int runFloor(const QString& folder, std::int64_t execNs) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "floor";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QFile f(folder + "/Brennomix.ini");
    if (!f.open(QIODevice::ReadOnly)) return 1;
    const QByteArray bytes = textfile::readRest(f);
    FloorModel model(int(std::count(bytes.begin(), bytes.end(), '\n')));
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setHeaderHidden(true);
    view.setModel(&model);
    PaintCount paints;
    view.viewport()->installEventFilter(&paints);
    view.resize(400, 600);
    view.show();
    if (!runUntil(app, [&] { return paints.count > 0; })) return 1;
    std::printf("usable %f\nrss %f\npeak %f\n", msSinceNs(execNs), rssMb(), peakMb());
    return 0;
}

struct Figures {
    std::map<std::string, std::vector<double>> values;
    std::vector<std::vector<double>> first, next;
};

bool parse(const std::string& out, Figures& f) {
    size_t at = 0;
    bool usable = false;
    while (at < out.size()) {
        const size_t end = out.find('\n', at);
        const std::string line = out.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? out.size() : end + 1;
        char word[32];
        double a = 0, b = 0, c = 0;
        const int n = std::sscanf(line.c_str(), "%31s %lf %lf %lf", word, &a, &b, &c);
        if (n < 2) continue;
        const std::string w = word;
        if (w == "first")
            f.first.push_back({a, b, c});
        else if (w == "next")
            f.next.push_back({a, b, c});
        else
            f.values[w].push_back(a);
        usable |= w == "usable";
    }
    return usable;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--floor")
        return runFloor(QFile::decodeName(argv[2]), std::atoll(argv[4]));
    if (argc == 6 && std::string(argv[1]) == "--run-once")
        return runOnce(QFile::decodeName(argv[2]), std::atoi(argv[3]), std::atoll(argv[4]),
                       std::string(argv[5]) == "search");
    const int entries = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir big, small;
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    const QByteArray list = makeList(entries);
    if (!write(big.path() + "/Brennomix.ini", list) ||
        !write(small.path() + "/Brennomix.ini", makeList(20)))
        return 1;
    const double fileMb = double(list.size()) / (1024.0 * 1024.0);
    const std::string file = QFile::encodeName(big.path() + "/Brennomix.ini").toStdString();
    std::printf("top list: %d entries, %.1f MB\n", entries, fileMb);

    // How a run is started: the launcher, or the floor.
    auto run = [&](const QString& folder, int count, bool search, Figures& f,
                   const char* how = "--run-once") {
        std::string out;
        const std::int64_t exec = nowNs();
        std::vector<std::string> args = {argv[0], how, QFile::encodeName(folder).toStdString(),
                                         std::to_string(count), std::to_string(exec)};
        if (std::string(how) == "--run-once") args.push_back(search ? "search" : "start");
        bench::timeTool(args, &out);
        const std::int64_t ended = nowNs();
        if (!parse(out, f)) return false;
        if (!f.values["quitat"].empty())
            f.values["quit"].push_back(double(ended - std::int64_t(f.values["quitat"].back())) /
                                       1e6);
        return true;
    };

    // ---- start ----
    Figures baseline, start, floor;
    std::vector<double> grepCount;
    for (int r = 0; r < runs; ++r) {
        if (!run(small.path(), 20, false, baseline)) return 2;
        grepCount.push_back(bench::timeTool({"grep", "-c", "x", file}));
        if (!run(big.path(), entries, false, start)) return 2;
        if (!run(big.path(), entries, false, floor, "--floor")) return 2;
    }
    const double usable = bench::median(start.values["usable"]);
    const double grepC = bench::median(grepCount);
    std::printf("20 entries: exec -> rows painted %.1f ms, resident %.1f MB\n",
                bench::median(baseline.values["usable"]), bench::median(baseline.values["rss"]));
    std::printf(
        "start %d entries: exec -> usable median %.1f ms (max %.1f), grep -c x %.1f ms, "
        "ratio %.2f (goal 3)\n",
        entries, usable, bench::percentile(start.values["usable"], 1.0), grepC, usable / grepC);
    std::printf(
        "memory: resident %.1f MB, peak %.1f MB: %.2f x and %.2f x the file (goal 2); "
        "above the 20-entry start %.2f x the file\n",
        bench::median(start.values["rss"]), bench::median(start.values["peak"]),
        bench::median(start.values["rss"]) / fileMb, bench::median(start.values["peak"]) / fileMb,
        (bench::median(start.values["rss"]) - bench::median(baseline.values["rss"])) / fileMb);
    const double floorMs = bench::median(floor.values["usable"]);
    const double floorMb = bench::median(floor.values["peak"]);
    std::printf(
        "floor (bare Qt program: the file read, a QTreeView of its lines): exec -> painted "
        "%.1f ms = %.2f x grep -c; peak %.1f MB = %.2f x the file\n",
        floorMs, floorMs / grepC, floorMb, floorMb / fileMb);
    std::printf("the launcher against the floor: start %.2f x, peak memory %.2f x\n",
                usable / floorMs, bench::median(start.values["peak"]) / floorMb);
    std::printf("quit with the list loaded: median %.1f ms (max %.1f) (goal 100)\n",
                bench::median(start.values["quit"]), bench::percentile(start.values["quit"], 1.0));

    // ---- quick search, back, quit ----
    Figures s;
    for (int r = 0; r < std::max(1, runs / 2); ++r)
        if (!run(big.path(), entries, true, s)) return 3;
    std::vector<double> firstRatio, nextRatio, firstMs, nextMs;
    for (const auto& v : s.first) {
        firstMs.push_back(v[0]);
        firstRatio.push_back(v[0] / v[1]);
    }
    for (const auto& v : s.next) {
        nextMs.push_back(v[0]);
        nextRatio.push_back(v[0] / v[1]);
    }
    if (!s.first.empty())
        std::printf("  e.g. first letter: %.1f ms for %d rows, grep -ciF %.1f ms\n", s.first[0][0],
                    int(s.first[0][2]), s.first[0][1]);
    std::printf(
        "quick search, first letter -> rows painted: median %.1f ms, ratio to grep -ciF "
        "median %.2f, max %.2f (goal 1.0)\n",
        bench::median(firstMs), bench::median(firstRatio), bench::percentile(firstRatio, 1.0));
    std::printf(
        "quick search, next letters: median %.1f ms, ratio median %.2f, max %.2f (goal "
        "1.0)\n",
        bench::median(nextMs), bench::median(nextRatio), bench::percentile(nextRatio, 1.0));
    std::printf(
        "memory after the box closed, above the list before it opened: median %.1f MB, "
        "max %.1f MB\n",
        bench::median(s.values["closed"]), bench::percentile(s.values["closed"], 1.0));
    std::printf("back to the list after a search: median %.1f ms, max %.1f ms (goal 250)\n",
                bench::median(s.values["back"]), bench::percentile(s.values["back"], 1.0));
    std::printf(
        "peak memory over the searches %.1f MB (%.2f x the file); quit after them: "
        "median %.1f ms (goal 100)\n",
        bench::median(s.values["peakafter"]), bench::median(s.values["peakafter"]) / fileMb,
        bench::median(s.values["quit"]));
    return 0;
}
