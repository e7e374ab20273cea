// Data-file presence check with its messages.
#include "app/startpruefung.h"

#include "model/datendateien.h"
#include "ui/fehleranzeige.h"
#include "ui/meldung.h"

bool PruefeDatendateien(const QDir& ordner)
{
    const QStringList fehlend = FehlendeDatendateien(ordner);
    for (const QString& name : fehlend) {
        ZeigeFehlermeldung(
            nullptr,
            QStringLiteral("Die Datei %1 wurde nicht gefunden. Die Anwendung wird beendet.")
                .arg(name),
            QString::fromUtf16(SchwererFehlerTitel));
    }
    return fehlend.isEmpty();
}
