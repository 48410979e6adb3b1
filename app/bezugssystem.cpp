#include "bezugssystem.h"

#include "datum.h"

Beta2007::Beta2007() = default;
Beta2007::~Beta2007() = default;

const mtbq::Transformation* Beta2007::etrs89NachPotsdam(std::string& fehler)
{
    // Loaded only when a GPS position is pasted: plain use never touches PROJ.
    if (!m_versucht) {
        m_versucht = true;
        m_t = mtbq::Transformation::erstelle(m_fehler);
    }
    fehler = m_fehler;
    return m_t.get();
}
