// Start-up order: maker texts, data-file check, the postal-code engine and the map converter,
// main window with splash, message loop; the two engines are freed at the end.
#include "app/start.h"

#include "app/hauptfenster.h"
#include "app/startpruefung.h"
#include "app/verdrahtung.h"
#include "model/datendateien.h"
#include "model/fehler.h"
#include "model/parametersatz.h"
#include "refdata/plzkonverter.h"
#include "ui/fehleranzeige.h"

#include <QApplication>
#include <QCommandLineParser>

#include <exception>

namespace {
const QString Aufruf = QStringLiteral(
    "Aufruf: tropfwerk [--daten ORDNER] [DATEI]\n"
    "Tropfwerk 2003 berechnet die Zisterne einer Regenwassernutzungsanlage für ein Haus in\n"
    "Deutschland und öffnet eine gespeicherte Berechnung (*.tropfwerk), wenn DATEI sie nennt.\n"
    "  --daten ORDNER       Ordner mit den Datendateien Data1.cry, Data2.cry und Data3.cry;\n"
    "                       Vorgabe: die Umgebungsvariable TROPFWERK_DATEN, sonst der Ordner\n"
    "                       des Programms, dann der installierte Datenordner share/tropfwerk\n"
    "  -h, --hilfe, --help  diese Übersicht\n"
    "  -v, --version        die Version des Programms\n");

struct TEngines {
    explicit TEngines(const QString& datenordner)
    {
        PLZConverter = std::make_unique<TPLZConverter>(datenordner);
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

int Starten(const QStringList& dateien, const QString& datenordner)
{
    LadeHersteller();
    const QString ordner = SucheDatenordner(datenordner, QCoreApplication::applicationDirPath());
    if (ordner.isEmpty())
        return 1;

    const TEngines engines(ordner);
    TfrmMain hauptfenster;
    VerdrahteFenster(hauptfenster, PLZConverterOderErsatz());
    hauptfenster.OeffneBeimStart(dateien);
    return QApplication::exec();
}
} // namespace

TBefehlszeile LiesBefehlszeile(const QStringList& argumente)
{
    QCommandLineParser parser;
    const QCommandLineOption hilfe(
        QStringList{QStringLiteral("h"), QStringLiteral("hilfe"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption daten(QStringLiteral("daten"), QString(), QStringLiteral("ORDNER"));
    parser.addOptions({hilfe, version, daten});

    TBefehlszeile zeile;
    if (!parser.parse(QStringList{QStringLiteral("tropfwerk")} + argumente)) {
        const QStringList unbekannt = parser.unknownOptionNames();
        const QString grund =
            unbekannt.isEmpty()
                ? QStringLiteral("--daten braucht einen Ordner, die übrigen Optionen keinen Wert.")
                : QStringLiteral("Unbekannte Option „%1%2“.")
                      .arg(unbekannt.front().size() == 1 ? QStringLiteral("-")
                                                         : QStringLiteral("--"),
                           unbekannt.front());
        return {true, 2, grund + u'\n' + Aufruf, {}, {}};
    }
    if (parser.isSet(hilfe))
        return {true, 0, Aufruf, {}, {}};
    if (parser.isSet(version))
        return {true, 0, QStringLiteral("Tropfwerk 2003 " TW_VERSION "\n"), {}, {}};
    zeile.Datenordner = parser.value(daten);
    zeile.Dateien = parser.positionalArguments();
    return zeile;
}

int ProgrammStart(const QStringList& dateien, const QString& datenordner)
{
    try {
        return Starten(dateien, datenordner);
    } catch (const std::exception& fehler) {
        SchwererFehler(Startfehler(fehler));
    }
}
