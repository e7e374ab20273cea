// Building the tables from the sources and writing them encrypted.
#include "packen.h"

#include "container.h"
#include "model/fehler.h"
#include "refdata/binaerstrom.h"
#include "refdata/crypter.h"
#include "refdata/csvstrom.h"
#include "refdata/datendatei.h"
#include "refdata/plzkonverter.h"
#include "refdata/produkte.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <map>

namespace {
void PruefeLaenge(const QString& text, int groesse, const QString& was)
{
    if (text.size() > groesse)
        throw EFehler(
            QStringLiteral("%1 ist länger als %2 Zeichen: %3").arg(was).arg(groesse).arg(text));
}

void SchreibeDatei(const QString& pfad, const QByteArray& inhalt)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        datei.write(inhalt) != inhalt.size())
        throw EFehler(QStringLiteral("%1 kann nicht geschrieben werden").arg(pfad));
}

QByteArray Verschluessele(const QByteArray& nutzlast, const TDatendatei& datei,
                          std::mt19937& zufall)
{
    return SchreibeContainer(nutzlast, GenerateKey(datei.Seed, datei.Schluessellaenge), zufall);
}
} // namespace

void FuelleStationstabelle(TTabelle& tabelle, const std::vector<TStationQuelle>& stationen)
{
    std::vector<TFeld> felder{FeldDefinition("Station", TFeldTyp::String, 40)};
    for (const char* monat : Monatsfelder)
        felder.push_back(FeldDefinition(monat, TFeldTyp::Float));
    tabelle.DefiniereFelder(felder);
    for (const TStationQuelle& s : stationen) {
        PruefeLaenge(s.Name, 40, QStringLiteral("Stationsname"));
        TZeile zeile{s.Name};
        for (long double mm : s.Monate)
            zeile.emplace_back(mm);
        tabelle.ZeileAnhaengen(std::move(zeile));
    }
}

void FuellePLZTabelle(TTabelle& tabelle, const std::vector<TPLZQuelle>& plz,
                      const std::vector<TStationQuelle>& stationen)
{
    tabelle.DefiniereFelder(
        {FeldDefinition("Postleitzahl", TFeldTyp::String, 5),
         FeldDefinition("Stadt", TFeldTyp::String, 40), FeldDefinition("Lon", TFeldTyp::Float),
         FeldDefinition("Lat", TFeldTyp::Float), FeldDefinition("Ort", TFeldTyp::String, 40)});
    for (const TPLZQuelle& p : plz) {
        const int station = NaechsteStation(stationen, p.Lon, p.Lat);
        if (station < 0)
            throw EFehler(QStringLiteral("keine Station für %1").arg(p.PLZ));
        tabelle.ZeileAnhaengen(
            {p.PLZ, stationen[static_cast<size_t>(station)].Name, p.Lon, p.Lat, p.Ort});
    }
}

QByteArray SvgAlsBmp(const QString& pfad, int breite, int hoehe)
{
    QSvgRenderer renderer(pfad);
    if (!renderer.isValid())
        throw EFehler(QStringLiteral("%1 ist kein lesbares SVG-Bild").arg(pfad));
    QImage bild(breite, hoehe, QImage::Format_RGB888);
    bild.fill(Qt::white);
    {
        QPainter maler(&bild);
        maler.setRenderHint(QPainter::Antialiasing);
        renderer.render(&maler);
    }
    QByteArray bytes;
    QBuffer puffer(&bytes);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "BMP"))
        throw EFehler(QStringLiteral("%1 kann nicht als Bitmap geschrieben werden").arg(pfad));
    return bytes;
}

void FuelleProdukttabelle(TTabelle& tabelle, const std::vector<TProduktQuelle>& produkte,
                          const QString& bildordner)
{
    DefiniereProduktFelder(tabelle);
    std::map<QString, QByteArray> bilder;
    for (const TProduktQuelle& p : produkte) {
        PruefeLaenge(p.Hersteller, 30, QStringLiteral("Hersteller"));
        PruefeLaenge(p.Produkt, 30, QStringLiteral("Produkt"));
        PruefeLaenge(p.Beschreibung, 200, QStringLiteral("Beschreibung"));
        PruefeLaenge(p.URL, 50, QStringLiteral("URL"));
        PruefeLaenge(p.Adresse, 200, QStringLiteral("Adresse"));
        TWert bild; // NULL: no picture
        if (!p.Bild.isEmpty()) {
            auto it = bilder.find(p.Bild);
            if (it == bilder.end())
                it = bilder.emplace(p.Bild, SvgAlsBmp(QDir(bildordner).filePath(p.Bild), 153, 145))
                         .first;
            bild = it->second;
        }
        tabelle.ZeileAnhaengen({static_cast<qint64>(p.ID), p.Hersteller, p.Produkt, p.Volumen,
                                p.Preis, p.Beschreibung, p.URL, p.Adresse, bild});
    }
}

TPackBericht PackeAlles(const QString& daten, const QString& aus,
                        std::optional<std::uint32_t> zufall)
{
    const QDir quelle(daten);
    const QDir ziel(aus);
    std::mt19937 erzeuger(zufall ? *zufall : std::random_device{}());

    const auto stationen = LiesStationen(quelle.filePath(QStringLiteral("stations.csv")));
    const auto plz = LiesPostleitzahlen(quelle.filePath(QStringLiteral("plz.csv")));
    const auto produkte = LiesProdukte(quelle.filePath(QStringLiteral("produkte.csv")));

    TTabelle stationstabelle;
    FuelleStationstabelle(stationstabelle, stationen);
    TTabelle plztabelle;
    FuellePLZTabelle(plztabelle, plz, stationen);
    TTabelle produkttabelle;
    FuelleProdukttabelle(produkttabelle, produkte,
                         quelle.filePath(QStringLiteral("produktbilder")));

    SchreibeDatei(ziel.filePath(QString::fromLatin1(Data1.Name)),
                  Verschluessele(SchreibeCsv(stationstabelle), Data1, erzeuger));
    SchreibeDatei(ziel.filePath(QString::fromLatin1(Data2.Name)),
                  Verschluessele(SchreibeCsv(plztabelle), Data2, erzeuger));
    SchreibeDatei(ziel.filePath(QString::fromLatin1(Data3.Name)),
                  Verschluessele(SchreibeBinaer(produkttabelle, 251), Data3, erzeuger));
    return {stationstabelle.GesamtAnzahl(), plztabelle.GesamtAnzahl(),
            produkttabelle.GesamtAnzahl()};
}
