// mtbq --batch over 10 million lines of whole-second DMS points and 10
// million lines of decimal points across Germany: lines per second and peak
// memory, with the time of "wc -l" on the same file as the baseline.
// Then the grid layers of Germany's sheet range (mtbq --raster) at quadrant
// levels 2 and 3, in WGS84 and untransformed, and the EEA 10 km cells: time,
// cells per second and peak memory (which must not grow with the cells),
// with "wc -l" on the written layer as the baseline.
// Last a GPX track of 1,000,000 points (a random walk across Germany, one
// point a second, as a device records a long day): points per second and
// peak memory, which must stay small however long the track.
//
//   bench_mtbq MTBQ [FOLDER] [LINES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Lauf {
    double sekunden;
    double mib;
    bool gut = true;  // exited with status 0
};

Lauf starte(std::initializer_list<const char*> befehl, const char* ausgabe = "/dev/null")
{
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 1, ausgabe, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string argv0 = *befehl.begin();
    char* argv[8] = {};
    int i = 0;
    for (const char* a : befehl)
        argv[i++] = const_cast<char*>(a);
    const auto anfang = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], &aktionen, nullptr, argv, environ) != 0) {
        std::perror(argv[0]);
        std::exit(2);
    }
    int status;
    rusage r{};
    wait4(pid, &status, 0, &r);
    const std::chrono::duration<double> d = std::chrono::steady_clock::now() - anfang;
    posix_spawn_file_actions_destroy(&aktionen);
    return {d.count(), r.ru_maxrss / 1024.0, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

void erzeuge(const std::string& pfad, long zeilen, bool dezimal)
{
    struct stat st;
    if (stat(pfad.c_str(), &st) == 0 && st.st_size > 0)
        return;
    std::FILE* f = std::fopen(pfad.c_str(), "wb");
    std::mt19937_64 zufall(dezimal ? 2 : 1);
    // Germany: 47°16' to 55°03' north, 5°52' to 15°02' east, in seconds.
    std::uniform_int_distribution<long> nord(47 * 3600 + 16 * 60, 55 * 3600 + 3 * 60);
    std::uniform_int_distribution<long> ost(5 * 3600 + 52 * 60, 15 * 3600 + 2 * 60);
    std::uniform_int_distribution<long> dezNord(4727000, 5505000), dezOst(587000, 1503000);
    for (long i = 0; i < zeilen; ++i) {
        if (dezimal) {
            const long b = dezNord(zufall), l = dezOst(zufall);
            std::fprintf(f, "%ld.%05ld %ld.%05ld\n", b / 100000, b % 100000, l / 100000, l % 100000);
        } else {
            const long b = nord(zufall), l = ost(zufall);
            std::fprintf(f, "%ld %02ld %02ld %ld %02ld %02ld\n", b / 3600, b / 60 % 60, b % 60, l / 3600,
                         l / 60 % 60, l % 60);
        }
    }
    std::fclose(f);
}

// A GPX 1.1 track as devices write it: position, elevation and time per point.
void erzeugeGpx(const std::string& pfad, long punkte)
{
    struct stat st;
    if (stat(pfad.c_str(), &st) == 0 && st.st_size > 0)
        return;
    std::FILE* f = std::fopen(pfad.c_str(), "wb");
    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"bench_mtbq\" "
               "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><name>Messung</name><trkseg>\n", f);
    std::mt19937_64 zufall(3);
    std::uniform_int_distribution<long> schritt(-30, 30);  // 1e-7 degrees, some metres
    long b = 501000000, l = 86000000;
    for (long i = 0; i < punkte; ++i) {
        b = std::min(550000000L, std::max(473000000L, b + schritt(zufall) * 100));
        l = std::min(150000000L, std::max(59000000L, l + schritt(zufall) * 100));
        const long s = i % 86400;
        std::fprintf(f, "<trkpt lat=\"%ld.%07ld\" lon=\"%ld.%07ld\"><ele>%ld.%ld</ele><time>2026-06-%02ldT%02ld:%02ld:%02ldZ</time></trkpt>\n",
                     b / 10000000, b % 10000000, l / 10000000, l % 10000000, 100 + i % 50, i % 10, 1 + i / 86400,
                     s / 3600, s / 60 % 60, s % 60);
    }
    std::fputs("</trkseg></trk>\n</gpx>\n", f);
    std::fclose(f);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_mtbq MTBQ [FOLDER] [LINES]\n");
        return 2;
    }
    const std::string ordner = argc > 2 ? argv[2] : "/tmp";
    const long zeilen = argc > 3 ? std::atol(argv[3]) : 10000000;
    for (const bool dezimal : {false, true}) {
        const std::string datei = ordner + (dezimal ? "/mtbq-dezimal-" : "/mtbq-gms-") + std::to_string(zeilen) + ".txt";
        erzeuge(datei, zeilen, dezimal);
        starte({"wc", "-l", datei.c_str()});  // into the page cache
        Lauf wc{1e9, 0}, mtbq{1e9, 0};
        for (int i = 0; i < 3; ++i) {  // best of three
            const Lauf w = starte({"wc", "-l", datei.c_str()});
            // Potsdam named: the grid arithmetic is measured, not the datum transformation.
            // "--datum potsdam" apart, as every release has taken it.
            const Lauf m = starte({argv[1], "--batch", "--datum", "potsdam", datei.c_str()});
            if (!m.gut) {
                std::fprintf(stderr, "bench_mtbq: %s --batch failed: no figure\n", argv[1]);
                return 1;
            }
            if (w.sekunden < wc.sekunden) wc = w;
            if (m.sekunden < mtbq.sekunden) mtbq = m;
        }
        std::printf("%s, %ld lines\n", dezimal ? "decimal degrees" : "whole-second DMS", zeilen);
        std::printf("  mtbq --batch  %7.3f s  %6.2f million lines/s (target >= 10)  %5.1f MiB peak (target < 16)\n",
                    mtbq.sekunden, zeilen / mtbq.sekunden / 1e6, mtbq.mib);
        std::printf("  wc -l         %7.3f s  ratio mtbq/wc %.1f\n", wc.sekunden, mtbq.sekunden / wc.sekunden);
    }

    std::printf("grid layers of Germany's sheet range (rows 9-87, columns 1-56)\n");
    const struct { const char* name; std::initializer_list<const char*> optionen; long zellen; } schichten[] = {
        {"level 2, WGS84", {"--raster", "--levels=2"}, 4424L * 16},
        {"level 2, untransformed", {"--raster", "--levels=2", "--untransformiert"}, 4424L * 16},
        {"level 3, WGS84", {"--raster", "--levels=3"}, 4424L * 64},
        {"EEA 10 km, WGS84", {"--raster", "--gitter=eea10km"}, 0},
    };
    const std::string schicht = ordner + "/mtbq-raster.geojson";
    for (const auto& s : schichten) {
        const char* o[4] = {};
        int k = 0;
        for (const char* x : s.optionen)
            o[k++] = x;
        Lauf r{1e9, 0}, wc{1e9, 0};
        for (int i = 0; i < 3; ++i) {
            const Lauf m = starte({argv[1], o[0], o[1], o[2]}, schicht.c_str());
            const Lauf w = starte({"wc", "-l", schicht.c_str()});
            if (m.sekunden < r.sekunden) r = m;
            if (w.sekunden < wc.sekunden) wc = w;
        }
        struct stat st{};
        stat(schicht.c_str(), &st);
        // One feature per line.
        long zellen = s.zellen;
        if (!zellen) {
            std::FILE* f = std::fopen(schicht.c_str(), "rb");
            for (int c; f && (c = std::fgetc(f)) != EOF;)
                zellen += c == '\n';
            if (f)
                std::fclose(f);
            zellen -= 2;
        }
        std::printf("  %-24s %8ld cells  %6.3f s  %5.2f million cells/s  %5.1f MiB peak  %6.1f MiB written"
                    "  ratio mtbq/wc %.1f\n",
                    s.name, zellen, r.sekunden, zellen / r.sekunden / 1e6, r.mib, st.st_size / 1048576.0,
                    r.sekunden / wc.sekunden);
    }
    std::remove(schicht.c_str());

    const long gpxPunkte = 1000000;
    const std::string gpx = ordner + "/mtbq-spur-" + std::to_string(gpxPunkte) + ".gpx";
    erzeugeGpx(gpx, gpxPunkte);
    starte({"wc", "-l", gpx.c_str()});
    Lauf wc{1e9, 0}, m{1e9, 0};
    bool liest = true;
    for (int i = 0; i < 3 && liest; ++i) {
        const Lauf w = starte({"wc", "-l", gpx.c_str()});
        const Lauf r = starte({argv[1], "--batch", gpx.c_str()});
        liest = r.gut;
        if (w.sekunden < wc.sekunden) wc = w;
        if (r.sekunden < m.sekunden) m = r;
    }
    std::printf("GPX track, %ld points\n", gpxPunkte);
    if (liest)
        std::printf("  mtbq --batch  %7.3f s  %6.2f million points/s (target >= 1)  %5.1f MiB peak (target < 32)\n",
                    m.sekunden, gpxPunkte / m.sekunden / 1e6, m.mib);
    else
        std::printf("  mtbq --batch  reads no GPX\n");
    std::printf("  wc -l         %7.3f s  ratio mtbq/wc %.1f\n", wc.sekunden, m.sekunden / wc.sekunden);
    return 0;
}
