// Data-file search with its messages.
#include "app/startpruefung.h"

#include "model/datendateien.h"
#include "ui/fehleranzeige.h"
#include "ui/meldung.h"

QString SucheDatenordner(const QString& explizit, const QString& programmOrdner)
{
    const QStringList suchpfad = Datensuchpfad(explizit, programmOrdner);
    const QString ordner = FindeDatenordner(suchpfad);
    if (!ordner.isEmpty())
        return ordner;

    // The files missing from the folder that holds most of them (the first on a tie).
    QStringList fehlend = Datendateien();
    for (const QString& kandidat : suchpfad) {
        const QStringList dort = FehlendeDatendateien(QDir(kandidat));
        if (dort.size() < fehlend.size())
            fehlend = dort;
    }
    const QString gesucht = GesuchtInZeile(suchpfad);
    for (const QString& name : fehlend) {
        ZeigeFehlermeldung(
            nullptr,
            QStringLiteral("Die Datei %1 wurde nicht gefunden. Die Anwendung wird beendet.\n%2")
                .arg(name, gesucht),
            QString::fromUtf16(SchwererFehlerTitel));
    }
    return {};
}
