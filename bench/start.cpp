// Times the launcher's first start, from exec until its window is mapped
// and its rows are painted, next to `rofi -dmenu` showing the same 20
// entries, started alternately under one X server of the benchmark's own
// (Xvfb with openbox). Also compares the resident memory of both once the
// window is up.
//
//   start [rounds] [other-brennomix]    (default 10 rounds)
//
// Another build of the launcher given as second argument is started in the
// same loop too, so that a change can be judged against the build before.
//
// With START_TRACE set, each start's damage samples go to standard error.
//
// Both run as in a desktop session: under a window manager, with a session
// bus. How mapped, first drawn and painted are told: see xsession.h.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "xsession.h"

using namespace xsession;

namespace {

struct Series {
    std::vector<double> mapped, drawn, painted, rss;
    void add(const Start& s) {
        mapped.push_back(s.mappedMs);
        drawn.push_back(s.drawnMs);
        if (s.paintedMs >= 0) painted.push_back(s.paintedMs);
        rss.push_back(double(s.rssKb) / 1024);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string launcher = BRENNOMIX_BIN;
    const std::string other = argc > 2 ? argv[2] : "";

    char folderTemplate[] = "/tmp/brennomix-start-XXXXXX";
    if (!mkdtemp(folderTemplate)) return 1;
    const std::string tmp = folderTemplate;
    const std::string home = tmp + "/home";
    mkdir(home.c_str(), 0700);
    std::string list, input;
    for (int i = 1; i <= 20; ++i) {
        list += "Entry " + std::to_string(i) + "\tprogram" + std::to_string(i) + "\r\n";
        input += "Entry " + std::to_string(i) + "\n";
    }
    std::ofstream(home + "/Brennomix.ini", std::ios::binary) << list;

    std::optional<Desktop> desktop(std::in_place);
    const std::string error = desktop->start(tmp);
    if (!error.empty()) {
        std::fprintf(stderr, "start: %s\n", error.c_str());
        return 1;
    }
    setEnv("BRENNOMIX_HOME", home);
    constexpr int kSettleMs = 1500;
    Series ours, rofi, before;
    bool ok = true;
    {
        // The probe reads through the desktop's connection: it goes first.
        Probe probe(desktop->display());
        // A first round of each warms the caches the others then share.
        for (int i = -1; i < rounds && ok; ++i) {
            const auto a = probe.measure({launcher}, {}, kSettleMs);
            const auto b = probe.measure({"rofi", "-dmenu", "-p", "run"}, input, kSettleMs);
            const auto c = other.empty() ? a : probe.measure({other}, {}, kSettleMs);
            ok = a && b && c;
            if (ok && i >= 0) {
                ours.add(*a);
                rofi.add(*b);
                before.add(*c);
            }
        }
    }
    desktop.reset();
    std::system(("rm -rf '" + tmp + "'").c_str());
    if (!ok || ours.painted.size() != ours.mapped.size() ||
        rofi.painted.size() != rofi.mapped.size()) {
        std::fprintf(stderr, "start: a window was never mapped or painted\n");
        return 1;
    }

    using bench::median;
    std::printf("%d first starts each, a list of 20 entries, alternately\n", rounds);
    std::printf("%-24s %10s %10s %8s\n", "median", "brennomix", "rofi", "ratio");
    const auto row = [](const char* what, const std::vector<double>& a,
                        const std::vector<double>& b) {
        std::printf("%-24s %10.1f %10.1f %8.2f\n", what, median(a), median(b),
                    median(a) / median(b));
    };
    row("exec -> mapped, ms", ours.mapped, rofi.mapped);
    row("exec -> first drawn, ms", ours.drawn, rofi.drawn);
    row("exec -> painted, ms", ours.painted, rofi.painted);
    row("resident memory, MB", ours.rss, rofi.rss);
    std::printf("%-24s %10.1f %10.1f\n", "p95 painted, ms", bench::percentile(ours.painted, 0.95),
                bench::percentile(rofi.painted, 0.95));
    if (!other.empty()) {
        std::printf("\n%s, same loop\n", other.c_str());
        std::printf("%-24s %10s %10s %8s\n", "median", "this", "other", "ratio");
        row("exec -> mapped, ms", ours.mapped, before.mapped);
        row("exec -> first drawn, ms", ours.drawn, before.drawn);
        row("exec -> painted, ms", ours.painted, before.painted);
        row("resident memory, MB", ours.rss, before.rss);
    }
    return 0;
}
