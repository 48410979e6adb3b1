// The real file system, with drives that tests make up: a drive may be
// listed that is not ready or that cannot be found any more.
#pragma once

#include "platform/gui/dateisystem.h"

#include <QMap>

class TestDateisystem final : public Dateisystem {
public:
    QList<Laufwerk> laufwerke() const override
    {
        QList<Laufwerk> l{{plattform::startLaufwerk(), {}}};
        for (const auto& z : zusatz)
            l.append(z);
        return l;
    }
    Bereitschaft laufwerkBereit(const QString& bezeichnung) const override
    {
        return bereitschaft.value(bezeichnung, Bereitschaft::Bereit);
    }
    bool dateiExistiert(const QString& pfad) const override { return echt.dateiExistiert(pfad); }
    QString laufwerkVon(const QString&) const override { return plattform::startLaufwerk(); }

    QList<Laufwerk> zusatz;
    QMap<QString, Bereitschaft> bereitschaft;
    EchtesDateisystem echt;
};
