// Start-up order: maker texts, data-file check, the postal-code engine and the map converter,
// main window with splash, message loop; the two engines are freed at the end.
#include "app/start.h"

#include "app/hauptfenster.h"
#include "app/startpruefung.h"
#include "app/verdrahtung.h"
#include "model/fehler.h"
#include "model/parametersatz.h"
#include "refdata/plzkonverter.h"
#include "ui/fehleranzeige.h"

#include <QApplication>

namespace {
struct TEngines {
    TEngines()
    {
        PLZConverter = std::make_unique<TPLZConverter>();
        GeoConverter = std::make_unique<TGeoConverter>(KartenKonverter());
    }
    ~TEngines()
    {
        PLZConverter.reset();
        GeoConverter.reset();
    }
};
} // namespace

int ProgrammStart()
{
    LadeHersteller();
    if (!PruefeDatendateien())
        return 1;

    std::unique_ptr<TEngines> engines;
    try {
        engines = std::make_unique<TEngines>();
    } catch (const ESchwererFehler& fehler) {
        SchwererFehler(fehler.Meldung());
    }

    TfrmMain hauptfenster;
    VerdrahteFenster(hauptfenster);
    return QApplication::exec();
}
