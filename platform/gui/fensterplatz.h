// Where a further running copy of the program puts its window: as the
// platform places new windows, each copy a step right and down from the one
// before, so that the user sees that two are running. A copy holds its place
// (a locked file in the temporary folder) while it runs; the system lets go
// of the lock when the copy ends, even by a crash, and the place is free again.
#pragma once

#include <QPoint>
#include <QString>

#include <cstdint>

namespace plattform {

// The file at pfad opened and locked, so that no other open of it can lock
// it while held; -1 when another holds it or it cannot be made. Nothing is
// written to disk.
std::intptr_t sperreDatei(const QString& pfad);
void gibFrei(std::intptr_t sperre);

}  // namespace plattform

class Fensterplatz {
public:
    // ordner: where the places' lock files lie (the temporary folder).
    explicit Fensterplatz(const QString& ordner);
    ~Fensterplatz();
    Fensterplatz(const Fensterplatz&) = delete;
    Fensterplatz& operator=(const Fensterplatz&) = delete;
    // 0 for the first copy, 1 for the second ... (0 again past the last place).
    int nummer() const { return m_nummer; }
    // The window's offset from where the first copy puts it.
    QPoint versatz() const;

private:
    int m_nummer = 0;
    std::intptr_t m_sperre = -1;
};
