// Times whole-process runs of two commands, interleaved, and prints the median
// wall time of each and the ratio of the medians.
//
//   spawn_timer RUNS COMMAND-A [ARG...] -- COMMAND-B [ARG...]
//
// Each run starts the command with posix_spawnp (standard output and standard
// error to /dev/null, standard input from /dev/null) and waits for it; the
// time from just before the spawn to the return of waitpid is read from
// CLOCK_MONOTONIC. The two commands alternate in the order A B B A, so that
// drift in the machine's load and any advantage of going first or second fall
// on both alike. A few untimed rounds warm the page cache first. Any run that
// fails to start or ends with a nonzero status ends the measurement with
// exit code 2. The output is meant to be read by people and by scripts:
//
//   runs 2000
//   A median_ns 412345 p10_ns ... p90_ns ... min_ns ...
//   B median_ns ...
//   ratio_A_over_B 0.523

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <span>
#include <vector>

extern char** environ;

namespace {

struct Command {
    std::vector<char*> argv;  // null-terminated
};

std::int64_t now_ns() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Runs the command once and returns its wall time in nanoseconds, or -1.
std::int64_t time_one_run(const Command& command, const posix_spawn_file_actions_t& actions) {
    pid_t child = 0;
    const std::int64_t start = now_ns();
    const int error = posix_spawnp(&child, command.argv[0], &actions, nullptr, command.argv.data(), environ);
    if (error != 0) {
        std::fprintf(stderr, "spawn_timer: cannot start %s: %s\n", command.argv[0], std::strerror(error));
        return -1;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            std::perror("spawn_timer: waitpid");
            return -1;
        }
    }
    const std::int64_t elapsed = now_ns() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "spawn_timer: %s did not end with exit code 0\n", command.argv[0]);
        return -1;
    }
    return elapsed;
}

std::int64_t percentile(const std::vector<std::int64_t>& sorted, double fraction) {
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[index];
}

std::int64_t median(const std::vector<std::int64_t>& sorted) {
    const std::size_t n = sorted.size();
    return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

// times must be sorted.
void print_summary(const char* name, const std::vector<std::int64_t>& times) {
    std::printf("%s median_ns %lld p10_ns %lld p90_ns %lld min_ns %lld\n", name,
                static_cast<long long>(median(times)), static_cast<long long>(percentile(times, 0.10)),
                static_cast<long long>(percentile(times, 0.90)), static_cast<long long>(times.front()));
}

int usage() {
    std::fputs("usage: spawn_timer RUNS COMMAND-A [ARG...] -- COMMAND-B [ARG...]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    if (arguments.size() < 5) return usage();
    char* end = nullptr;
    const long runs = std::strtol(arguments[1], &end, 10);
    if (*end != '\0' || runs < 1 || runs > 10'000'000) return usage();

    Command a;
    Command b;
    Command* filling = &a;
    for (char* argument : arguments.subspan(2)) {
        if (filling == &a && std::strcmp(argument, "--") == 0) {
            filling = &b;
            continue;
        }
        filling->argv.push_back(argument);
    }
    if (a.argv.empty() || b.argv.empty()) return usage();
    a.argv.push_back(nullptr);
    b.argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto count = static_cast<std::size_t>(runs);
    std::vector<std::int64_t> times_a;
    std::vector<std::int64_t> times_b;
    times_a.reserve(count);
    times_b.reserve(count);

    const long warm_up_rounds = std::min(runs, 20L);
    for (long round = 0; round < warm_up_rounds; ++round) {
        if (time_one_run(a, actions) < 0 || time_one_run(b, actions) < 0) return 2;
    }
    for (std::size_t round = 0; round < count; ++round) {
        // A B in even rounds, B A in odd ones.
        const bool a_first = round % 2 == 0;
        const Command& first = a_first ? a : b;
        const Command& second = a_first ? b : a;
        const std::int64_t t1 = time_one_run(first, actions);
        const std::int64_t t2 = time_one_run(second, actions);
        if (t1 < 0 || t2 < 0) return 2;
        times_a.push_back(a_first ? t1 : t2);
        times_b.push_back(a_first ? t2 : t1);
    }
    posix_spawn_file_actions_destroy(&actions);

    std::sort(times_a.begin(), times_a.end());
    std::sort(times_b.begin(), times_b.end());
    std::printf("runs %zu\n", count);
    print_summary("A", times_a);
    print_summary("B", times_b);
    std::printf("ratio_A_over_B %.3f\n",
                static_cast<double>(median(times_a)) / static_cast<double>(median(times_b)));
    return 0;
}
