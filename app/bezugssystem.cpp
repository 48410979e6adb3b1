#include "app/bezugssystem.h"

#include "datum/datum.h"

#include <QCoreApplication>

Beta2007::Beta2007() = default;
Beta2007::~Beta2007() = default;

const quadrix::Transformation* Beta2007::etrs89NachPotsdam(std::string& fehler)
{
    // Loaded only when a GPS position is pasted: plain use never reads the grid.
    if (!m_versucht) {
        m_versucht = true;
        // Beside the program, where the Windows package keeps the grid, then PROJ's folders.
        quadrix::Gitterfehler f;
        m_t = quadrix::Transformation::erstelle(
            f, {std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String())});
        m_fehler = quadrix::text(f);
    }
    fehler = m_fehler;
    return m_t.get();
}
