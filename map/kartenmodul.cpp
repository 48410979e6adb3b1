// The module's export: the main window resolves it after loading the module.
#include "map/frmKarte.h"
#include "map/kartenfenster.h"

extern "C" Q_DECL_EXPORT KartenFenster* quadrixKarteAnlegen(const quadrix::Transformation* beta,
                                                            const QString& betaFehler, const QString& cacheOrdner)
{
    return new frmKarte(beta, betaFehler, cacheOrdner);
}
