// Launches the start-up probe N times in the current working folder and
// prints the median time from fork to first paint and the median peak RSS.
#include "Median.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}


}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROBE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
    std::vector<double> paintMs, rssMb;
    for (int i = 0; i < runs; ++i) {
        int out[2];
        if (pipe(out) != 0)
            return 1;
        const std::string launched = std::to_string(monotonicNs());
        const pid_t child = fork();
        if (child == 0) {
            setenv("SETTLESLIP_LAUNCH_NS", launched.c_str(), 1);
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl(argv[1], argv[1], static_cast<char *>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char buffer[64] = {};
        const ssize_t got = read(out[0], buffer, sizeof buffer - 1);
        close(out[0]);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "run %d: the probe did not paint its window\n", i + 1);
            return 1;
        }
        paintMs.push_back(std::atof(buffer));
        rssMb.push_back(usage.ru_maxrss / 1024.0);
    }
    std::printf("startup to first paint (median of %d)\t%.1f ms\n", runs, median(paintMs));
    std::printf("peak RSS (median of %d)\t%.1f MB\n", runs, median(rssMb));
    return 0;
}
