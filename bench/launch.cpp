// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Times process start to first paint: reads the monotonic clock just before
// starting each child and subtracts it from the "paint <ns>" line the child
// prints. The programs are taken in turn, round after round, so that both
// sides of a comparison see the same machine; round 0 only warms the caches.
//
//   bench_launch ROUNDS PROGRAM...   prints "<program> <milliseconds>" lines
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

extern char** environ;

namespace {

std::int64_t monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t {now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// Milliseconds from start to the child's first paint, or a negative number.
double timeOneStart(const char* program)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program), nullptr};

    pid_t child = 0;
    const std::int64_t startNs = monotonicNs();
    const int failed = posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed != 0) {
        close(out[0]);
        return -1;
    }

    std::string text;
    pollfd ready {out[0], POLLIN, 0};
    char buffer[256];
    while (poll(&ready, 1, 20000) > 0) {
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(out[0]);
    kill(child, SIGKILL); // already gone unless it hung
    waitpid(child, nullptr, 0);

    long long paintNs = 0;
    if (std::sscanf(text.c_str(), "paint %lld", &paintNs) != 1)
        return -1;
    return static_cast<double>(paintNs - startNs) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ROUNDS PROGRAM...\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    for (int round = 0; round <= rounds; ++round) {
        for (int i = 2; i < argc; ++i) {
            const double ms = timeOneStart(argv[i]);
            if (ms < 0) {
                std::fprintf(stderr, "%s: no first paint reported\n", argv[i]);
                return 1;
            }
            if (round > 0)
                std::printf("%s %.3f\n", argv[i], ms);
        }
    }
    return 0;
}
