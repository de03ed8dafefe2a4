// Times how long a second copy of the launcher takes to hand its command
// line to a running copy and end, next to starting /bin/true; both write
// to a pipe that is read to its end.
//
//   relay [count] [brennomix]    (default 100, and the build's own program)
//
// A first copy runs offscreen over a fresh program folder and runtime
// folder; the second copies and /bin/true are started alternately so that
// both see the same load of the machine.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> environment;

void setEnv(const std::string& name, const std::string& value) {
    std::erase_if(environment, [&](const std::string& e) { return e.rfind(name + '=', 0) == 0; });
    environment.push_back(name + '=' + value);
}

// Starts `args` with its standard output and error on a pipe, whose
// reading end is returned in `out` (-1: to /dev/null, for the first copy,
// which outlives the loop).
pid_t spawn(const std::vector<std::string>& args, int* out = nullptr) {
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    int fds[2] = {-1, -1};
    if (out && pipe2(fds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out) {
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (out) {
        close(fds[1]);
        *out = fds[0];
    }
    return pid;
}

// Runs a program to its end, reading what it writes; its exit status, or -1.
int run(const std::vector<std::string>& args) {
    int out = -1;
    const pid_t pid = spawn(args, &out);
    char buf[4096];
    while (out >= 0 && read(out, buf, sizeof buf) > 0) {
    }
    if (out >= 0) close(out);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double timedRun(const std::vector<std::string>& args, bool& ok) {
    const auto start = Clock::now();
    ok = run(args) == 0 && ok;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    double median, p95;
};

Figures figures(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    const size_t rank = size_t(std::ceil(0.95 * double(n)));
    return {median, ms[std::max<size_t>(rank, 1) - 1]};
}

}  // namespace

int main(int argc, char* argv[]) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    // Another build may be given, to measure it under the same conditions.
    const std::string launcher = argc > 2 ? argv[2] : BRENNOMIX_BIN;

    QTemporaryDir tmp;
    const QString home = tmp.path() + QStringLiteral("/home");
    const QString runtime = tmp.path() + QStringLiteral("/runtime");
    QDir().mkpath(home);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile top(home + QStringLiteral("/Brennomix.ini"));
    if (!top.open(QIODevice::WriteOnly)) return 1;
    top.write("Calc\tcalc.exe\r\n");
    top.close();

    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    setEnv("BRENNOMIX_HOME", home.toStdString());
    setEnv("XDG_RUNTIME_DIR", runtime.toStdString());
    setEnv("QT_QPA_PLATFORM", "offscreen");

    const pid_t first = spawn({launcher});
    if (first < 0) {
        std::fprintf(stderr, "relay: cannot start %s\n", launcher.c_str());
        return 1;
    }
    // Ready once it listens: its socket appears in the runtime folder. (A
    // second copy started before it has taken the link would become the
    // first copy itself.)
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    const auto listening = [&] {
        return !QDir(runtime).entryList({QStringLiteral("*.socket")}, QDir::System).isEmpty();
    };
    while (!listening()) {
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "relay: the first copy never answered\n");
            kill(first, SIGKILL);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    std::vector<double> relay, reference;
    bool relayOk = true, referenceOk = true;
    for (int i = 0; i < count; ++i) {
        relay.push_back(timedRun({launcher, "/showdesktop"}, relayOk));
        reference.push_back(timedRun({"/bin/true"}, referenceOk));
    }

    run({launcher, "/quit"});
    int status = 0;
    for (int i = 0; i < 100 && waitpid(first, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (kill(first, 0) == 0) {
        kill(first, SIGKILL);
        waitpid(first, &status, 0);
    }

    const Figures r = figures(relay), t = figures(reference);
    std::printf("%d second copies relaying to a running copy, %d starts of /bin/true\n", count,
                count);
    std::printf("%-12s %10s %10s\n", "", "median ms", "p95 ms");
    std::printf("%-12s %10.2f %10.2f\n", "relay", r.median, r.p95);
    std::printf("%-12s %10.2f %10.2f\n", "/bin/true", t.median, t.p95);
    std::printf("%-12s %10.2f %10.2f\n", "ratio", r.median / t.median, r.p95 / t.p95);
    if (!relayOk || !referenceOk) {
        std::fprintf(stderr, "relay: some runs failed\n");
        return 1;
    }
    return 0;
}
