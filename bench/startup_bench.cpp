// Start-up of the program against a bare Qt window: time from starting the
// process until its window is shown, and peak resident memory, over
// alternating runs; the medians and their ratios.
//
//     startup_bench <program> <bare window> [runs of each]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Start {
    double milliseconds;    // from the start of the process until "shown"
    double cpuMilliseconds; // the process's own, user and system
    long peakKilobytes;
};

double milliseconds(const timeval& time)
{
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

// "shown" and the end of its line (CR LF from a Windows program under Wine).
bool reportedShown(const std::string& said)
{
    const std::size_t at = said.find("shown");
    return at != std::string::npos && said.find('\n', at) != std::string::npos;
}

// Runs the program with the start-up probe on and waits for its "shown".
// The program may be a script that starts it (under Wine, say).
Start measure(const char* program)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        std::exit(2);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    char* argv[] = {const_cast<char*>(program), nullptr};

    const auto begin = std::chrono::steady_clock::now();
    pid_t child;
    if (posix_spawn(&child, program, &actions, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program);
        std::exit(2);
    }
    close(pipeFds[1]);
    std::string said;
    char buffer[64];
    for (ssize_t n; !reportedShown(said) && (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(n));
    const auto shown = std::chrono::steady_clock::now();
    close(pipeFds[0]);
    posix_spawn_file_actions_destroy(&actions);

    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!reportedShown(said) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not report its window shown\n", program);
        std::exit(2);
    }
    return {std::chrono::duration<double, std::milli>(shown - begin).count(),
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), usage.ru_maxrss};
}

template <class T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program> <bare window> [runs of each]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;
    setenv("SISTEMA_STARTUP_PROBE", "1", 1);

    measure(argv[1]); // the first start warms the disk cache for both
    measure(argv[2]);
    std::vector<double> programTimes, bareTimes, programCpu, bareCpu;
    std::vector<long> programMemory, bareMemory;
    for (int i = 0; i < runs; ++i) {
        for (bool programFirst : {i % 2 == 0, i % 2 != 0}) {
            const Start start = measure(programFirst ? argv[1] : argv[2]);
            (programFirst ? programTimes : bareTimes).push_back(start.milliseconds);
            (programFirst ? programCpu : bareCpu).push_back(start.cpuMilliseconds);
            (programFirst ? programMemory : bareMemory).push_back(start.peakKilobytes);
        }
    }

    const double programTime = median(programTimes), bareTime = median(bareTimes);
    const long programPeak = median(programMemory), barePeak = median(bareMemory);
    std::printf("%d runs each, alternating; medians\n", runs);
    std::printf("%-28s %10s %10s %14s\n", "", "shown, ms", "CPU, ms", "peak RSS, kB");
    std::printf("%-28s %10.1f %10.1f %14ld\n", "sistema", programTime, median(programCpu), programPeak);
    std::printf("%-28s %10.1f %10.1f %14ld\n", "bare window", bareTime, median(bareCpu), barePeak);
    const double timeRatio = programTime / bareTime, memoryRatio = double(programPeak) / double(barePeak);
    std::printf("\n%-44s %8s %8s\n", "ratio (ours / reference)", "measured", "goal");
    std::printf("%-44s %7.2fx %7.2fx  %s\n", "start-up time / bare window", timeRatio, 1.15,
                timeRatio <= 1.15 ? "met" : "MISSED");
    std::printf("%-44s %7.2fx %8s\n", "CPU time to quit / bare window", median(programCpu) / median(bareCpu), "");
    std::printf("%-44s %7.2fx %7.2fx  %s\n", "peak memory / bare window", memoryRatio, 1.15,
                memoryRatio <= 1.15 ? "met" : "MISSED");
}
