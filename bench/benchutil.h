#pragma once

// Shared by the benchmarks: timing a reference tool whose output goes to a
// pipe that is read to its end, and the usual statistics.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// Runs `args` with its standard output on a pipe that is read whole;
// returns the milliseconds from start to exit, and the output in `out`.
inline double timeTool(const std::vector<std::string>& args, std::string* out = nullptr) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const auto start = Clock::now();
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string got;
    char buf[1 << 16];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) got.append(buf, size_t(n));
    close(fds[0]);
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    const double ms = msSince(start);
    if (out) *out = got;
    return pid > 0 ? ms : -1;
}

inline double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t k = size_t(std::lround(p * double(v.size() - 1)));
    return v[std::min(k, v.size() - 1)];
}

inline double median(const std::vector<double>& v) {
    return percentile(v, 0.5);
}

}  // namespace bench
