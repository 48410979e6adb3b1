// Where a further running copy of the program puts its window: as the
// platform places new windows, each copy a step right and down from the one
// before, so that the user sees that two are running. A copy holds its place
// (a lock file in the temporary folder) while it runs; a place left by a copy
// that ended, even by a crash, is taken again.
#pragma once

#include <QLockFile>
#include <QPoint>
#include <QString>

#include <memory>

class Fensterplatz {
public:
    // ordner: where the places' lock files lie (the temporary folder).
    explicit Fensterplatz(const QString& ordner);
    ~Fensterplatz();
    // 0 for the first copy, 1 for the second ... (0 again past the last place).
    int nummer() const { return m_nummer; }
    // The window's offset from where the first copy puts it.
    QPoint versatz() const;

private:
    int m_nummer = 0;
    std::unique_ptr<QLockFile> m_sperre;
};
