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

#include <exception>

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

// The message of an error that stops the start-up: the data-file layer words its own; anything
// else is shown as it is.
QString Startfehler(const std::exception& fehler)
{
    if (const auto* eigener = dynamic_cast<const EFehler*>(&fehler))
        return eigener->Meldung();
    return QStringLiteral("Die Anwendung konnte nicht gestartet werden (%1). Die Anwendung wird "
                          "beendet.")
        .arg(QString::fromLocal8Bit(fehler.what()));
}

int Starten(const QStringList& argumente)
{
    LadeHersteller();
    if (!PruefeDatendateien())
        return 1;

    const TEngines engines;
    TfrmMain hauptfenster;
    VerdrahteFenster(hauptfenster, PLZConverterOderErsatz());
    hauptfenster.OeffneBeimStart(argumente);
    return QApplication::exec();
}
} // namespace

int ProgrammStart(const QStringList& argumente)
{
    try {
        return Starten(argumente);
    } catch (const std::exception& fehler) {
        SchwererFehler(Startfehler(fehler));
    }
}
