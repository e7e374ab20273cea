// tropfwerk-data: packs the sources in data/ into the three data files and dumps any data file
// back as a readable table.
#include "packen.h"

#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/binaerstrom.h"
#include "refdata/crypter.h"
#include "refdata/csvstrom.h"
#include "refdata/datendatei.h"
#include "refdata/plzkonverter.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <optional>

namespace {
const char* const Hilfe =
    "Aufruf:\n"
    "  tropfwerk-data pack --data ORDNER --out ORDNER [--zufall ZAHL]\n"
    "      schreibt Data1.cry, Data2.cry und Data3.cry aus den Quellen in ORDNER\n"
    "  tropfwerk-data dump DATEI [--seed ZAHL --keylen ZAHL --format csv|binary]\n"
    "      entschlüsselt eine Datendatei und gibt ihre Tabelle als CSV (UTF-8) aus\n"
    "  tropfwerk-data lookup PLZ\n"
    "      angenäherte Postleitzahl, Station, Monatswerte in mm und Jahressumme in m\n"
    "  tropfwerk-data nearest X Y\n"
    "      Station und Postleitzahl zu einem Punkt der Landkarte\n"
    "  (lookup und nearest lesen Data1.cry und Data2.cry im aktuellen Ordner)\n";

void Schreibe(const QString& text, FILE* ziel = stdout)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), ziel);
}

QString Option(const QStringList& argumente, const char* name)
{
    const int i = static_cast<int>(argumente.indexOf(QString::fromLatin1(name)));
    if (i < 0)
        return {};
    if (i + 1 >= argumente.size())
        throw EFehler(QStringLiteral("Wert fehlt nach %1").arg(QString::fromLatin1(name)));
    return argumente[i + 1];
}

std::int32_t Ganzzahl(const QString& text, const char* name)
{
    const auto wert = zahl::LiesGanzzahl(text);
    if (!wert)
        throw EFehler(
            QStringLiteral("%1 ist keine ganze Zahl: %2").arg(QString::fromLatin1(name), text));
    return *wert;
}

int Packen(const QStringList& argumente)
{
    const QString daten = Option(argumente, "--data");
    const QString aus = Option(argumente, "--out");
    if (daten.isEmpty() || aus.isEmpty())
        throw EFehler(QStringLiteral("pack braucht --data und --out"));
    std::optional<std::uint32_t> zufall;
    if (const QString z = Option(argumente, "--zufall"); !z.isEmpty())
        zufall = static_cast<std::uint32_t>(Ganzzahl(z, "--zufall"));
    const TPackBericht bericht = PackeAlles(daten, aus, zufall);
    Schreibe(QStringLiteral("Data1.cry: %1 Stationen\nData2.cry: %2 Postleitzahlen\n"
                            "Data3.cry: %3 Produkte\n")
                 .arg(bericht.Stationen)
                 .arg(bericht.Postleitzahlen)
                 .arg(bericht.Produkte));
    return 0;
}

// One CSV value: quoted when needed.
QString CsvWert(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString q = text;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString DumpText(const TWert& wert)
{
    if (const auto* bytes = std::get_if<QByteArray>(&wert))
        return bytes->isEmpty() ? QString() : QStringLiteral("<bmp %1 bytes>").arg(bytes->size());
    if (const auto* logisch = std::get_if<bool>(&wert))
        return *logisch ? QStringLiteral("True") : QStringLiteral("False");
    return AlsText(wert); // numbers in the invariant format, NULL empty
}

int Ausgeben(const QStringList& argumente)
{
    if (argumente.size() < 2)
        throw EFehler(QStringLiteral("dump braucht eine Datei"));
    const QString pfad = argumente[1];
    const QString name = QFileInfo(pfad).fileName();

    const TDatendatei* bekannt = nullptr;
    for (const TDatendatei* d : {&Data1, &Data2, &Data3})
        if (name.compare(QString::fromLatin1(d->Name), Qt::CaseInsensitive) == 0)
            bekannt = d;
    const QString seedText = Option(argumente, "--seed");
    const QString laengeText = Option(argumente, "--keylen");
    QString format = Option(argumente, "--format");
    std::int32_t seed = 0;
    int laenge = 0;
    if (!seedText.isEmpty() || !laengeText.isEmpty()) {
        if (seedText.isEmpty() || laengeText.isEmpty() || format.isEmpty())
            throw EFehler(QStringLiteral("--seed, --keylen und --format gehören zusammen"));
        seed = Ganzzahl(seedText, "--seed");
        laenge = Ganzzahl(laengeText, "--keylen");
    } else if (bekannt) {
        seed = bekannt->Seed;
        laenge = bekannt->Schluessellaenge;
        if (format.isEmpty())
            format = bekannt == &Data3 ? QStringLiteral("binary") : QStringLiteral("csv");
    } else {
        throw EFehler(
            QStringLiteral("unbekannte Datei %1: --seed, --keylen und --format angeben").arg(name));
    }
    if (laenge < 1 || laenge > 1024)
        throw EFehler(QStringLiteral("--keylen muss zwischen 1 und 1024 liegen"));

    QByteArray strom;
    DecryptFileToStream(pfad, strom, GenerateKey(seed, laenge), name);
    TTabellenInhalt inhalt;
    if (format == u"csv")
        inhalt = LiesCsvStrom(strom);
    else if (format == u"binary")
        inhalt = LiesBinaerStromMitDefinitionen(strom);
    else
        throw EFehler(QStringLiteral("--format muss csv oder binary sein"));

    QStringList kopf;
    for (const TFeld& feld : inhalt.Felder)
        kopf << CsvWert(feld.Name);
    Schreibe(kopf.join(u',') + u'\n');
    for (const TZeile& zeile : inhalt.Zeilen) {
        QStringList werte;
        for (const TWert& wert : zeile)
            werte << CsvWert(DumpText(wert));
        Schreibe(werte.join(u',') + u'\n');
    }
    return 0;
}
TPLZConverter& Engine()
{
    if (!PLZConverter) {
        PLZConverter = std::make_unique<TPLZConverter>();
        GeoConverter = std::make_unique<TGeoConverter>(KartenKonverter());
    }
    return *PLZConverter;
}

int Nachschlagen(const QStringList& argumente)
{
    if (argumente.size() != 2)
        throw EFehler(QStringLiteral("lookup braucht eine Postleitzahl"));
    TPLZConverter& plz = Engine();
    const QString code = plz.ApproximatePLZ(argumente[1]);
    TNiederschlag kurve{};
    plz.GetNiederschlagPLZ(code, kurve);
    QStringList monate;
    for (long double m : kurve)
        monate << zahl::Fest(m * 1000, 1, 5);
    Schreibe(
        QStringLiteral("Postleitzahl: %1\nStation: %2\nNiederschlag (mm): %3\nJahressumme: %4 m\n")
            .arg(code, plz.GetStation(code), monate.join(QStringLiteral("; ")),
                 zahl::Fest(plz.GetMengePLZ(code), 3, 6)));
    return 0;
}

int Naechste(const QStringList& argumente)
{
    if (argumente.size() != 3)
        throw EFehler(QStringLiteral("nearest braucht X und Y"));
    TPLZConverter& plz = Engine();
    const QString station =
        plz.FindNearestStation({Ganzzahl(argumente[1], "X"), Ganzzahl(argumente[2], "Y")});
    Schreibe(QStringLiteral("Station: %1\nPostleitzahl: %2\n").arg(station, plz.GetPLZ(station)));
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    // Pictures are rendered without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList argumente = app.arguments().mid(1);
    if (argumente.isEmpty() || argumente[0] == u"--help" || argumente[0] == u"-h") {
        Schreibe(QString::fromUtf8(Hilfe), argumente.isEmpty() ? stderr : stdout);
        return argumente.isEmpty() ? 2 : 0;
    }
    try {
        if (argumente[0] == u"pack")
            return Packen(argumente);
        if (argumente[0] == u"dump")
            return Ausgeben(argumente);
        if (argumente[0] == u"lookup")
            return Nachschlagen(argumente);
        if (argumente[0] == u"nearest")
            return Naechste(argumente);
        Schreibe(QString::fromUtf8(Hilfe), stderr);
        return 2;
    } catch (const EFehler& fehler) {
        Schreibe(QStringLiteral("tropfwerk-data: %1\n").arg(fehler.Meldung()), stderr);
        return 1;
    } catch (const std::exception& fehler) {
        Schreibe(QStringLiteral("tropfwerk-data: %1\n").arg(QString::fromLocal8Bit(fehler.what())),
                 stderr);
        return 1;
    }
}
