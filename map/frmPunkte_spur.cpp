// The photos without a position in the list of points, placed on the
// track by their time: the camera's clock offset and time zone as typed.
#include "imports/zeit.h"
#include "map/frmPunkte.h"
#include "platform/ortszeit.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

bool frmPunkte::zeitwahl(quadrix::Zeitwahl& w)
{
    const QString versatz = txtUhrversatz->text().trimmed(), zone = txtZeitzone->text().trimmed();
    const std::optional<long> s = versatz.isEmpty() ? std::optional<long>(0) : quadrix::leseSekunden(versatz.toStdString(), false);
    if (!s) {
        lblStatus->setText(tr("„%1“ ist kein Uhrversatz: Sekunden wie -3600 oder -1:00:00.").arg(versatz));
        return false;
    }
    std::optional<int> z;
    if (!zone.isEmpty() && !(z = quadrix::leseVersatz(zone.toStdString()))) {
        lblStatus->setText(tr("„%1“ ist keine Zeitzone: ein Versatz zu UTC wie +01:00 oder +02:00.").arg(zone));
        return false;
    }
    w.uhrVersatz = *s;
    w.zone = z;
    return true;
}

void frmPunkte::cmdNeuLegen_Click()
{
    quadrix::Zeitwahl zeit;
    if (!zeitwahl(zeit))
        return;
    zeit.ortszeit = [](std::int64_t lokal) { return ortszeit::versatz(lokal); };
    int gelegt = 0, fotos = 0;
    for (std::size_t i = 0; i < m_eintraege.size(); ++i) {
        Eintrag& e = m_eintraege[i];
        if (!e.ungelegt)
            continue;
        ++fotos;
        quadrix::Fundpunkt p = *e.ungelegt;
        if (!m_spur.leer())
            p.grund = m_spur.lege(p, zeit);
        std::optional<quadrix::Fundpunkt> ungelegt = std::move(e.ungelegt);
        e = eintragVon(p, e.datei);
        e.ungelegt = std::move(ungelegt);
        gelegt += e.nord ? 1 : 0;
        zeileZeigen(static_cast<int>(i), false);
    }
    vergleicheMitDatei();
    for (int i = 0; i < lstPunkte->rowCount(); ++i)
        hinweisZeigen(i);
    lblStatus->setText(m_spur.leer() ? tr("Keine Spur mit Zeiten eingelesen: die Fotos ohne Position bleiben ohne.")
                                     : tr("%1 von %2 Fotos ohne Position auf die Spur gelegt.").arg(gelegt).arg(fotos));
    emit punkteGeaendert();
}
