// Opening a folder of 100,000 files, 50,000 of them .txt, in the folder
// list: time until the file list is filled, against a bare listing of the
// same folder (std::filesystem) measured in the same run.
//
//   bench_ordner [FOLDER]      (offscreen; the folder is made when missing)
#include "app/frmQuadrix.h"
#include "platform/gui/listen.h"
#include "tests/meldungsrekorder.h"

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

void anlegen(const fs::path& ordner)
{
    if (fs::exists(ordner / "fertig"))
        return;
    fs::create_directories(ordner);
    for (int i = 0; i < 100000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, i % 2 ? "fund%06d.txt" : "bild%06d.jpg", i);
        std::ofstream(ordner / name);
    }
    std::ofstream(ordner / "fertig");
}

template <typename F>
double sekunden(F&& f)
{
    const auto a = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const fs::path ordner = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "quadrix-bench-100000";
    anlegen(ordner);

    MeldungsRekorder meldungen;
    EchtesDateisystem dateisystem;
    Plattform plattform{meldungen, dateisystem};
    frmQuadrix fenster(plattform);
    fenster.show();

    std::vector<double> fenster_s, roh_s;
    int gezeigt = 0;
    for (int i = 0; i < 5; ++i) {
        fenster.dirVerzeichnis->setPath(QStringLiteral("/"));
        fenster_s.push_back(sekunden([&] {
            fenster.dirVerzeichnis->setPath(QString::fromStdString(ordner.string()));
            QApplication::processEvents();
        }));
        gezeigt = fenster.filDatei->anzahl();
        roh_s.push_back(sekunden([&] {
            std::vector<std::string> namen;
            for (const auto& e : fs::directory_iterator(ordner))
                if (e.path().extension() == ".txt")
                    namen.push_back(e.path().filename().string());
            std::sort(namen.begin(), namen.end());
        }));
    }
    const double f = median(fenster_s), r = median(roh_s);
    std::printf("open a folder of 100,000 files, median of 5\n");
    std::printf("  file list filled  %7.1f ms  (%d files shown; target <= 500 ms)\n", f * 1000, gezeigt);
    std::printf("  bare listing      %7.1f ms\n", r * 1000);
    std::printf("  ratio             %7.2f\n", f / r);
    return gezeigt == 50000 ? 0 : 1;
}
