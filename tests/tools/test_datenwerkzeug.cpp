// The packing tool: source tables, station choice, and packed files that read back unchanged.
#include "container.h"
#include "packen.h"
#include "quellen.h"

#include "model/fehler.h"
#include "refdata/binaerstrom.h"
#include "refdata/crypter.h"
#include "refdata/csvstrom.h"
#include "refdata/datendatei.h"
#include "refdata/plzkonverter.h"
#include "refdata/produkte.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {
QString Quelle(const char* name)
{
    return QStringLiteral(TW_QUELLEN "/") + QString::fromLatin1(name);
}

QString Schreibe(const QTemporaryDir& ordner, const char* name, const QByteArray& inhalt)
{
    const QString pfad = ordner.filePath(QString::fromLatin1(name));
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
    return pfad;
}

// Plaintext lengths of the blobs of a container.
std::vector<int> BlobLaengen(const QByteArray& datei)
{
    std::vector<int> laengen;
    for (qsizetype pos = 0; pos + 4 <= datei.size();) {
        const qint32 n = qFromLittleEndian<qint32>(datei.constData() + pos);
        laengen.push_back(qFromLittleEndian<qint32>(datei.constData() + pos + 4));
        pos += 4 + n;
    }
    return laengen;
}
} // namespace

TEST(Quellen, CsvQuotingAndLineEnds)
{
    QTemporaryDir ordner;
    const QString pfad = Schreibe(ordner, "t.csv",
                                  "a,b,c\r\n\"x, y\",\"sagt \"\"hallo\"\"\",\r\n\n"
                                  "\"zwei\nZeilen\",,z\n");
    const auto zeilen = LiesCsv(pfad);
    ASSERT_EQ(zeilen.size(), 3u);
    EXPECT_EQ(zeilen[1], QStringList({"x, y", "sagt \"hallo\"", ""}));
    EXPECT_EQ(zeilen[2], QStringList({"zwei\nZeilen", "", "z"}));
    Schreibe(ordner, "kaputt.csv", "a\n\"offen\n");
    EXPECT_THROW(LiesCsv(ordner.filePath(QStringLiteral("kaputt.csv"))), EFehler);
    EXPECT_THROW(LiesCsv(ordner.filePath(QStringLiteral("fehlt.csv"))), EFehler);
}

TEST(Quellen, NearestStationSkipsMountainsAndKeepsFirstOnTies)
{
    std::vector<TStationQuelle> stationen(3);
    stationen[0] = {QStringLiteral("Gipfel"), 10.0L, 50.0L, {}, 1800};
    stationen[1] = {QStringLiteral("Tal West"), 9.9L, 50.0L, {}, 300};
    stationen[2] = {QStringLiteral("Tal Ost"), 10.1L, 50.0L, {}, 300};
    EXPECT_EQ(NaechsteStation(stationen, 10.0L, 50.0L), 1);
    EXPECT_EQ(NaechsteStation(stationen, 10.06L, 50.0L), 2);
    stationen.resize(1);
    EXPECT_EQ(NaechsteStation(stationen, 10.0L, 50.0L), -1);
    EXPECT_NEAR(static_cast<double>(Entfernung(13.4105L, 52.5244L, 11.5755L, 48.1374L)), 504.0,
                2.0);
}

TEST(Packen, FilesReadBackAsTheirSources)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const TPackBericht bericht = PackeAlles(QStringLiteral(TW_QUELLEN), ordner.path(), 4711u);
    const auto stationen = LiesStationen(Quelle("stations.csv"));
    const auto plz = LiesPostleitzahlen(Quelle("plz.csv"));
    const auto produkte = LiesProdukte(Quelle("produkte.csv"));
    EXPECT_EQ(bericht.Stationen, static_cast<int>(stationen.size()));
    EXPECT_EQ(bericht.Postleitzahlen, static_cast<int>(plz.size()));
    EXPECT_EQ(bericht.Produkte, static_cast<int>(produkte.size()));

    TTabelle station;
    station.LadeCsv(LeseDatendatei(Data1, ordner.path()));
    ASSERT_EQ(station.Anzahl(), static_cast<int>(stationen.size()));
    for (int i = 0; i < station.Anzahl(); i += 97) {
        const TStationQuelle& q = stationen[static_cast<size_t>(i)];
        EXPECT_EQ(station.Anzeigetext(i, u"Station"), q.Name);
        EXPECT_EQ(AlsZahl(station.Wert(i, u"Mae")), q.Monate[2]);
        EXPECT_EQ(AlsZahl(station.Wert(i, u"Dez")), q.Monate[11]);
    }

    TTabelle tabelle;
    tabelle.LadeCsv(LeseDatendatei(Data2, ordner.path()));
    ASSERT_EQ(tabelle.Anzahl(), static_cast<int>(plz.size()));
    std::set<QString> namen;
    for (const TStationQuelle& s : stationen)
        if (s.Hoehe <= BergstationAbHoehe)
            namen.insert(s.Name);
    for (int i = 0; i < tabelle.Anzahl(); ++i) {
        ASSERT_EQ(AlsText(tabelle.Wert(i, u"Postleitzahl")), plz[static_cast<size_t>(i)].PLZ);
        ASSERT_TRUE(namen.count(AlsText(tabelle.Wert(i, u"Stadt")))) << i;
    }

    auto mtProd = ErzeugeProduktTabelle();
    LoadProducts(*mtProd, ordner.path());
    ASSERT_EQ(mtProd->Anzahl(), static_cast<int>(produkte.size()));
    int mitBild = 0;
    for (int i = 0; i < mtProd->Anzahl(); ++i) {
        const TWert& bild = mtProd->Wert(i, u"Bild");
        const qint64 id = std::get<qint64>(mtProd->Wert(i, u"ID"));
        const TProduktQuelle& q = produkte[static_cast<size_t>(id - 1)];
        EXPECT_EQ(AlsText(mtProd->Wert(i, u"Produkt")), q.Produkt);
        EXPECT_EQ(AlsZahl(mtProd->Wert(i, u"Volumen")), q.Volumen);
        EXPECT_EQ(q.Bild.isEmpty(), AlsBytes(bild).isEmpty());
        if (!q.Bild.isEmpty()) {
            const QByteArray bmp = AlsBytes(bild);
            ASSERT_GE(bmp.size(), 54);
            EXPECT_TRUE(bmp.startsWith("BM"));
            EXPECT_EQ(qFromLittleEndian<qint32>(bmp.constData() + 18), 153);
            EXPECT_EQ(qFromLittleEndian<qint32>(bmp.constData() + 22), 145);
            EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24);
            ++mitBild;
        }
    }
    EXPECT_GT(mitBild, 0);
    EXPECT_LT(mitBild, mtProd->Anzahl());
}

TEST(Packen, FreshChainingValuesAndVaryingBlobs)
{
    const QByteArray nutzlast(20000, 'x');
    const QByteArray key = GenerateKey(Data2.Seed, Data2.Schluessellaenge);
    std::mt19937 a(1), b(2);
    const QByteArray erste = SchreibeContainer(nutzlast, key, a);
    const QByteArray zweite = SchreibeContainer(nutzlast, key, b);
    EXPECT_NE(erste, zweite);
    const auto laengen = BlobLaengen(erste);
    EXPECT_GT(laengen.size(), 4u);
    EXPECT_GT(std::set<int>(laengen.begin(), laengen.end()).size(), 2u);
    for (const QByteArray* datei : {&erste, &zweite}) {
        QByteArray strom;
        DecryptBytesToStream(*datei, strom, key, QStringLiteral("Data2.cry"));
        EXPECT_EQ(strom, nutzlast);
    }
}

TEST(Packen, DamagedTableIsFatalAndNamesItsFile)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    std::mt19937 zufall(3);
    const QByteArray key = GenerateKey(Data2.Seed, Data2.Schluessellaenge);
    const struct {
        QByteArray nutzlast;
        QString grund;
    } faelle[] = {
        {"\"@@TABLEDEF START@@\",\r\n\"F=Wort\x01\x1b[2J,0\",\r\n",
         "Unbekannter Feldtyp (Wort[2J) in der CSV Datei. (F=Wort[2J,0)"},
        {"irgendwas\r\n", "Die CSV Datei enthält keine Felddefinitionen"},
    };
    for (const auto& fall : faelle) {
        Schreibe(ordner, "Data2.cry", SchreibeContainer(fall.nutzlast, key, zufall));
        try {
            TPLZConverter plz(ordner.path());
            ADD_FAILURE() << "no error";
        } catch (const ESchwererFehler& e) {
            EXPECT_EQ(e.Meldung(), "Die Datei Data2.cry enthält keine gültige Tabelle (" +
                                       fall.grund + "). Die Anwendung wird beendet.");
        }
    }
}

TEST(Packen, RefusesWhatTheFieldsCannotHold)
{
    TTabelle tabelle;
    std::vector<TProduktQuelle> produkte(1);
    produkte[0].ID = 1;
    produkte[0].Hersteller = QString(31, u'x');
    EXPECT_THROW(FuelleProdukttabelle(tabelle, produkte, QString()), EFehler);
    produkte[0].Hersteller = QStringLiteral("Wasser ≥ Luft"); // no Windows-1252 character
    FuelleProdukttabelle(tabelle, produkte, QString());
    EXPECT_THROW(SchreibeBinaer(tabelle), EFehler);
}
