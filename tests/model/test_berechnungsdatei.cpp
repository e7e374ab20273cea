// Calculation files: exact round trip, every refusal of the reader, and a save that fails.
#include "../support/beispiel.h"
#include "model/berechnung.h"
#include "model/berechnungsdatei.h"
#include "model/fehler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <utility>

namespace {

// A value with all 64 bits of the mantissa in use, from 2^vonExp to 2^(bisExp + 1).
long double Zufall(std::mt19937_64& rng, int vonExp, int bisExp)
{
    std::uniform_int_distribution<int> exponent(vonExp, bisExp);
    return std::ldexp(static_cast<long double>(rng() | (1ULL << 63)), exponent(rng) - 63);
}

long double Anteil(std::mt19937_64& rng)
{
    return std::ldexp(static_cast<long double>(rng() | (1ULL << 63)), -64); // 0,5 … 1
}

TParameterSatz ZufallsSatz(std::mt19937_64& rng)
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    const int flaechen = static_cast<int>(rng() % 5);
    for (int i = 0; i < flaechen; ++i)
        satz.Flaechen.push_back({Zufall(rng, -23, 15), Anteil(rng)});
    for (long double& monat : satz.Niederschlag)
        monat = Zufall(rng, -12, -2);
    satz.WGrad = Anteil(rng);
    satz.PLZ = rng() % 2 ? QString() : QString::number(10000 + rng() % 90000);
    // Within the ranges: persons below 64, consumptions below 512 m³, the garden below 65536 m².
    for (long double TParameterSatz::*f :
         {&TParameterSatz::PersWCSpar, &TParameterSatz::PersWCNorm, &TParameterSatz::PersWasch})
        satz.*f = Zufall(rng, -23, 5);
    for (long double TParameterSatz::*f :
         {&TParameterSatz::PersWCSparV, &TParameterSatz::PersWCNormV, &TParameterSatz::PersWaschV,
          &TParameterSatz::GartenV})
        satz.*f = Zufall(rng, -23, 8);
    satz.Garten = Zufall(rng, -23, 15);
    satz.LadeBeiwert = rng() % 4 ? Anteil(rng) : 1.0L;
    // Money inputs in half of the sets: below 64 €/m³, 65536 €/Jahr and 524288 €.
    if (rng() % 2)
        satz.Kosten = TKosten{Zufall(rng, -23, 5), Zufall(rng, -23, 5), Zufall(rng, -23, 15),
                              Zufall(rng, -23, 18), rng() % 4 ? Zufall(rng, -23, 15) : 0};
    BerechneAlles(satz);
    return satz;
}

QByteArray GueltigerText()
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    satz.Flaechen = {{120, 0.9L}};
    satz.WGrad = 0.9L;
    satz.PLZ = QStringLiteral("14195");
    satz.PersWCSpar = 4;
    satz.Kosten = TKosten{};
    BerechneAlles(satz);
    return BerechnungAlsJson(satz);
}

QByteArray Ersetzt(QByteArray text, const char* alt, const char* neu)
{
    EXPECT_TRUE(text.contains(alt)) << alt;
    return text.replace(alt, neu);
}

} // namespace

TEST(Berechnungsdatei, ZufaelligeSaetzeKommenBitGenauZurueck)
{
    std::mt19937_64 rng(20261209);
    for (int i = 0; i < 2000; ++i) {
        const TParameterSatz satz = ZufallsSatz(rng);
        const QByteArray text = BerechnungAlsJson(satz);
        const TParameterSatz zurueck = BerechnungAusJson(text);
        ASSERT_EQ(zurueck, satz) << text.toStdString();
    }
}

TEST(Berechnungsdatei, ErgebnisseWerdenNeuBerechnetUndUnbekanntesIgnoriert)
{
    const QByteArray text =
        Ersetzt(Ersetzt(GueltigerText(), "\"Ertrag\": ", "\"Ertrag\": 1e9, \"x\": "),
                "\"version\": 1,", "\"version\": 1, \"Neu\": [1, {\"a\": null}],");
    const TParameterSatz satz = BerechnungAusJson(text);
    EXPECT_NEAR(static_cast<double>(satz.Ertrag), 120 * 0.9 * 0.715 * 0.9, 1e-12);
    EXPECT_NEAR(static_cast<double>(satz.Rate), satz.Ertrag / (4 * 8.8L) * 100, 1e-9);
    EXPECT_EQ(satz.PLZ, QStringLiteral("14195"));
}

TEST(Berechnungsdatei, UngueltigeDateienWerdenMitGrundAbgelehnt)
{
    const QByteArray gut = GueltigerText();
    const struct {
        const char* name;
        QByteArray text;
        const char* grund;
    } faelle[] = {
        {"kein JSON", "{\"format\": ", "kein gültiges JSON (Zeile 1, Spalte 12)"},
        {"Text", "Regenwasser", "kein gültiges JSON (Zeile 1, Spalte 1)"},
        {"Rest nach dem Objekt", gut + "x", "kein gültiges JSON"},
        {"tiefe Schachtelung", QByteArray(100000, '['), "kein gültiges JSON"},
        {"ungültiges UTF-8", Ersetzt(gut, "14195", "1419\xff"), "kein gültiges JSON"},
        {"anderes Format", Ersetzt(gut, "Tropfwerk-Berechnung", "Tabelle"),
         "sie ist keine Tropfwerk-Berechnung"},
        {"Liste statt Objekt", "[1, 2]", "sie ist keine Tropfwerk-Berechnung"},
        {"neuere Version", Ersetzt(gut, "\"version\": 1", "\"version\": 2"),
         "sie stammt aus einer neueren Programmversion (Version 2)"},
        {"Version als Text", Ersetzt(gut, "\"version\": 1", "\"version\": \"1\""),
         "ihre Version ist ungültig"},
        {"Feld fehlt", Ersetzt(gut, "\"GartenV\"", "\"GartenX\""), "das Feld „GartenV“ fehlt"},
        {"Feld doppelt", Ersetzt(gut, "\"Garten\": 0,", "\"Garten\": 0, \"Garten\": 1,"),
         "das Feld „Garten“ steht doppelt"},
        {"Format doppelt",
         Ersetzt(gut, "\"version\": 1,", "\"version\": 1, \"format\": \"Tropfwerk-Berechnung\","),
         "das Feld „format“ steht doppelt"},
        {"Spalte in Zeichen", "{\"ö\": x}", "kein gültiges JSON (Zeile 1, Spalte 7)"},
        {"Zahl als Text", Ersetzt(gut, "\"Garten\": 0", "\"Garten\": \"0\""),
         "„Garten“ ist keine Zahl"},
        {"Zahl mit Komma", Ersetzt(gut, "\"LadeBeiwert\": 0.06", "\"LadeBeiwert\": \"0,06\""),
         "„LadeBeiwert“ ist keine Zahl"},
        {"Flächen kein Objekt", Ersetzt(gut, "{\"Flaeche\": 120, \"Beiwert\": 0.9}", "120"),
         "die 1. Fläche in „Flaechen“ ist kein Objekt"},
        {"Flächen keine Liste", Ersetzt(gut, "\"Flaechen\": [", "\"Flaechen\": 1, \"x\": ["),
         "„Flaechen“ ist keine Liste"},
        {"11 Monate", Ersetzt(gut, "[0.055, ", "["), "„Niederschlag“ braucht genau 12 Monatswerte"},
        {"13 Monate", Ersetzt(gut, "[0.055, ", "[0.055, 0.055, "),
         "„Niederschlag“ braucht genau 12 Monatswerte"},
        {"negativer Monat", Ersetzt(gut, "[0.055, ", "[-0.055, "),
         "„Niederschlag“ im Januar muss zwischen 0 und 0,5 m liegen"},
        {"Monat als Text", Ersetzt(gut, ", 0.05]", ", \"0.05\"]"),
         "„Niederschlag“ im Dezember ist keine Zahl"},
        {"negative Fläche", Ersetzt(gut, "\"Flaeche\": 120", "\"Flaeche\": -120"),
         "„Flaeche“ der 1. Fläche muss zwischen 0 und 100000 m² liegen"},
        {"unendlich", Ersetzt(gut, "\"Garten\": 0", "\"Garten\": 1e99999"),
         "„Garten“ ist keine endliche Zahl"},
        {"NaN", Ersetzt(gut, "\"Garten\": 0", "\"Garten\": NaN"), "kein gültiges JSON"},
        {"Wirkungsgrad über 1", Ersetzt(gut, "\"WGrad\": 0.9", "\"WGrad\": 90"),
         "„WGrad“ muss zwischen 0 und 1 liegen"},
        {"Beiwert über 1", Ersetzt(gut, "\"Beiwert\": 0.9", "\"Beiwert\": 1.2"),
         "„Beiwert“ der 1. Fläche muss zwischen 0 und 1 liegen"},
        {"Ladebeiwert über 1", Ersetzt(gut, "\"LadeBeiwert\": 0.06", "\"LadeBeiwert\": 1.01"),
         "„LadeBeiwert“ muss zwischen 0 und 1 liegen"},
        {"PLZ als Zahl", Ersetzt(gut, "\"14195\"", "14195"), "„PLZ“ ist kein Text"},
        {"PLZ zu kurz", Ersetzt(gut, "\"14195\"", "\"1419\""),
         "„PLZ“ ist keine fünfstellige Postleitzahl"},
        {"Geld kein Objekt",
         Ersetzt(gut, "\"wirtschaftlichkeit\": {", "\"wirtschaftlichkeit\": 1, \"x\": {"),
         "„wirtschaftlichkeit“ ist kein Objekt"},
        {"größer als 1 MB", gut + QByteArray(MaxBerechnungsGroesse, ' '),
         "sie ist größer als 1 MB"},
    };
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const QString pfad = ordner.filePath(QStringLiteral("Fall.tropfwerk"));
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write(f.text);
        datei.close();
        try {
            LadeBerechnung(pfad);
            ADD_FAILURE() << "accepted";
        } catch (const EFehler& fehler) {
            const QString erwartet =
                QStringLiteral("Die Datei „%1“ ist keine gültige Berechnung: %2")
                    .arg(QDir::toNativeSeparators(pfad), QString::fromUtf8(f.grund));
            EXPECT_TRUE(fehler.Meldung().startsWith(erwartet)) << fehler.Meldung().toStdString();
            EXPECT_TRUE(fehler.Meldung().endsWith(u'.'));
        }
    }
    EXPECT_THROW(LadeBerechnung(ordner.filePath(QStringLiteral("fehlt.tropfwerk"))), EFehler);
}

// Every input at both ends of its range is read; just outside, or other than 0 below the
// smallest value, it is refused naming the field, its area or month and the range.
TEST(Berechnungsdatei, JedesFeldHatSeinenBereich)
{
    const QByteArray gut = GueltigerText();
    const struct {
        const char* vorher; // the field's text up to its value
        const char* wert;   // its value in GueltigerText
        const char* max;
        const char* drueber;
        const char* bezeichnung;
        const char* bereich;
    } felder[] = {
        {"\"Flaeche\": ", "120", "100000", "100000.0001", "„Flaeche“ der 1. Fläche",
         "zwischen 0 und 100000 m²"},
        {"\"Beiwert\": ", "0.9", "1", "1.0000000001", "„Beiwert“ der 1. Fläche",
         "zwischen 0 und 1"},
        {"[0.055, ", "0.045", "0.5", "0.5000001", "„Niederschlag“ im Februar",
         "zwischen 0 und 0,5 m"},
        {"\"Menge\": ", "0.715", "6", "6.000001", "„Menge“", "zwischen 0 und 6 m"},
        {"\"WGrad\": ", "0.9", "1", "1.01", "„WGrad“", "zwischen 0 und 1"},
        {"\"PersWCSpar\": ", "4", "99", "99.1", "„PersWCSpar“", "zwischen 0 und 99"},
        {"\"PersWCSparV\": ", "8.8", "999", "1e308", "„PersWCSparV“", "zwischen 0 und 999 m³"},
        {"\"PersWCNorm\": ", "0", "99", "1e306", "„PersWCNorm“", "zwischen 0 und 99"},
        {"\"PersWCNormV\": ", "14", "999", "999.5", "„PersWCNormV“", "zwischen 0 und 999 m³"},
        {"\"PersWasch\": ", "0", "99", "100", "„PersWasch“", "zwischen 0 und 99"},
        {"\"PersWaschV\": ", "4.4", "999", "1000", "„PersWaschV“", "zwischen 0 und 999 m³"},
        {"\"Garten\": ", "0", "100000", "1e308", "„Garten“", "zwischen 0 und 100000 m²"},
        {"\"GartenV\": ", "0.06", "999", "1e4000", "„GartenV“", "zwischen 0 und 999 m³"},
        {"\"LadeBeiwert\": ", "0.06", "1", "1.000001", "„LadeBeiwert“", "zwischen 0 und 1"},
        {"\"Wasserpreis\": ", "2.1", "100", "100.01", "„Wasserpreis“", "zwischen 0 und 100 €/m³"},
        {"\"Pumpenstrom\": ", "0.25", "100", "1e308", "„Pumpenstrom“", "zwischen 0 und 100 €/m³"},
        {"\"Wartung\": ", "50", "100000", "100000.5", "„Wartung“", "zwischen 0 und 100000 €/Jahr"},
        {"\"Einbau\": ", "2500", "1000000", "1000001", "„Einbau“", "zwischen 0 und 1000000 €"},
        {"\"Gebuehr\": ", "0", "100000", "1e6", "„Gebuehr“", "zwischen 0 und 100000 €/Jahr"},
    };
    for (const auto& f : felder) {
        SCOPED_TRACE(f.bezeichnung);
        const QByteArray alt = QByteArray(f.vorher) + f.wert;
        const auto mit = [&](const char* wert) {
            return BerechnungAusJson(Ersetzt(gut, alt, QByteArray(f.vorher) + wert));
        };
        for (const char* wert : {"0", "1e-7", f.max}) {
            SCOPED_TRACE(wert);
            EXPECT_NO_THROW(mit(wert));
        }
        const QString bezeichnung = QString::fromUtf8(f.bezeichnung);
        const QString ausserhalb = bezeichnung + QStringLiteral(" muss ") +
                                   QString::fromUtf8(f.bereich) + QStringLiteral(" liegen");
        const QString zuKlein =
            bezeichnung + QStringLiteral(" ist zu klein: außer 0 ist der kleinste Wert 0,0000001");
        for (const auto& [wert, meldung] :
             {std::pair{f.drueber, ausserhalb}, std::pair{"-1e-7", ausserhalb},
              std::pair{"9.9e-8", zuKlein}}) {
            SCOPED_TRACE(wert);
            try {
                mit(wert);
                ADD_FAILURE() << "accepted";
            } catch (const EFehler& fehler) {
                EXPECT_EQ(fehler.Meldung(), meldung);
            }
        }
    }
    // Within the ranges nothing overflows: the largest demand against the smallest one.
    QByteArray gross = gut;
    for (const char* feld : {"PersWCSparV", "PersWCNormV", "PersWaschV", "GartenV"})
        gross.replace(QByteArray("\"") + feld + "\": ",
                      QByteArray("\"") + feld + "\": 1e-7, \"x\": ");
    const TParameterSatz satz =
        BerechnungAusJson(Ersetzt(Ersetzt(gross, "\"Flaeche\": 120", "\"Flaeche\": 100000"),
                                  "\"PersWCSpar\": 4", "\"PersWCSpar\": 1e-7"));
    for (const long double wert : {satz.Ertrag, satz.Bedarf, satz.Volumen, satz.Rate})
        EXPECT_TRUE(std::isfinite(static_cast<double>(wert))) << static_cast<double>(wert);
    EXPECT_GT(satz.Rate, 1e15L);
}

TEST(Berechnungsdatei, EndungWirdAngehaengtWoSieFehlt)
{
    const std::pair<const char*, const char*> faelle[] = {
        {"Haus 2.OG", "Haus 2.OG.tropfwerk"},
        {"/home/a/Meier Str.5", "/home/a/Meier Str.5.tropfwerk"},
        {"x.TROPFWERK", "x.TROPFWERK"},
        {"x.tropfwerk", "x.tropfwerk"},
        {"x.tropfwerk.bak", "x.tropfwerk.bak.tropfwerk"},
        {"Haus", "Haus.tropfwerk"},
    };
    for (const auto& [name, erwartet] : faelle)
        EXPECT_EQ(MitBerechnungsEndung(QString::fromUtf8(name)), QString::fromUtf8(erwartet));
}

TEST(Berechnungsdatei, ErgebnisseMitFuenfzehnStellen)
{
    TParameterSatz satz = Beispiel();
    satz.Flaechen = {{120, 0.9L}};
    BerechneAlles(satz);
    const QByteArray text = BerechnungAlsJson(satz);
    EXPECT_TRUE(text.contains("\"Bedarf\": 52.8,")) << text.toStdString();
    EXPECT_TRUE(text.contains("\"Ertrag\": 69.498,")) << text.toStdString();
    EXPECT_EQ(BerechnungAusJson(text), satz);
}

TEST(Berechnungsdatei, FehlgeschlagenesSpeichernLaesstDieAlteDateiStehen)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QString pfad = ordner.filePath(QStringLiteral("Berechnung 14195.tropfwerk"));
    TParameterSatz alt;
    InitParameterSatz(alt);
    alt.PLZ = QStringLiteral("14195");
    SpeichereBerechnung(pfad, alt);
    EXPECT_EQ(BerechnungsVorschlag(alt), QFileInfo(pfad).fileName());
    EXPECT_EQ(LadeBerechnung(pfad).PLZ, alt.PLZ);

    // A file size limit makes the write fail half-way, as a full disk does (also for root).
    TParameterSatz neu = alt;
    neu.Flaechen.assign(200, {100, 0.9L});
    rlimit vorher{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vorher), 0);
    const auto alterHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit klein = vorher;
    klein.rlim_cur = 2048;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &klein), 0);
    bool gemeldet = false;
    try {
        SpeichereBerechnung(pfad, neu);
    } catch (const EFehler& fehler) {
        gemeldet = fehler.Meldung().startsWith(
            QStringLiteral("Die Berechnung konnte nicht unter „%1“ gespeichert werden")
                .arg(QDir::toNativeSeparators(pfad)));
    }
    setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, alterHandler);
    EXPECT_TRUE(gemeldet);
    EXPECT_EQ(LadeBerechnung(pfad).Flaechen.size(), 0u);
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files).size(), 1); // no temporary file left

    // A folder that does not exist: reported, nothing written.
    EXPECT_THROW(SpeichereBerechnung(ordner.filePath(QStringLiteral("fehlt/x.tropfwerk")), neu),
                 EFehler);
}
