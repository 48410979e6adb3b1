// Start-up of quadrix against a bare Qt window: each is started in turn,
// runs until its window is first painted (QUADRIX_STARTMESSUNG) and ends.
// Prints the medians of wall time and peak memory and their ratios.
//
//   bench_start RUNS QUADRIX KAHLES_FENSTER        (needs a display)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Lauf {
    double sekunden;
    double mib;
};

Lauf starte(const char* programm)
{
    const auto anfang = std::chrono::steady_clock::now();
    pid_t pid;
    char* argv[] = {const_cast<char*>(programm), nullptr};
    if (posix_spawn(&pid, programm, nullptr, nullptr, argv, environ) != 0) {
        std::perror(programm);
        std::exit(2);
    }
    int status = 0;
    rusage nutzung{};
    wait4(pid, &status, 0, &nutzung);
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - anfang;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", programm, status);
        std::exit(2);
    }
    return {dauer.count(), nutzung.ru_maxrss / 1024.0};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_start RUNS QUADRIX KAHLES_FENSTER\n");
        return 2;
    }
    const int laeufe = std::atoi(argv[1]);
    setenv("QUADRIX_STARTMESSUNG", "1", 1);
    std::vector<double> zq, zk, mq, mk;
    starte(argv[2]);  // warm the caches for both
    starte(argv[3]);
    for (int i = 0; i < laeufe; ++i) {
        const Lauf q = starte(argv[2]);
        const Lauf k = starte(argv[3]);
        zq.push_back(q.sekunden);
        mq.push_back(q.mib);
        zk.push_back(k.sekunden);
        mk.push_back(k.mib);
    }
    const double tq = median(zq), tk = median(zk), sq = median(mq), sk = median(mk);
    std::printf("start-up, median of %d runs\n", laeufe);
    std::printf("  quadrix       %7.1f ms  %6.1f MiB peak\n", tq * 1000, sq);
    std::printf("  bare window   %7.1f ms  %6.1f MiB peak\n", tk * 1000, sk);
    std::printf("  ratio time    %7.2f   (target <= 1.25)\n", tq / tk);
    std::printf("  extra memory  %7.1f MiB (target <= 10)\n", sq - sk);
    return 0;
}
