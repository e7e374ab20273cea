// Calculation files: exact round trip, every refusal of the reader, and a save that fails.
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

namespace {

// A value with all 64 bits of the mantissa in use, from about 1e-9 to 1e6.
long double Zufall(std::mt19937_64& rng, int vonExp = -30, int bisExp = 20)
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
        satz.Flaechen.push_back({Zufall(rng), Anteil(rng)});
    for (long double& monat : satz.Niederschlag)
        monat = Zufall(rng, -12, -2);
    satz.WGrad = Anteil(rng);
    satz.PLZ = rng() % 2 ? QString() : QString::number(10000 + rng() % 90000);
    for (long double TParameterSatz::*f :
         {&TParameterSatz::PersWCSpar, &TParameterSatz::PersWCSparV, &TParameterSatz::PersWCNorm,
          &TParameterSatz::PersWCNormV, &TParameterSatz::PersWasch, &TParameterSatz::PersWaschV,
          &TParameterSatz::Garten, &TParameterSatz::GartenV})
        satz.*f = Zufall(rng);
    satz.LadeBeiwert = rng() % 4 ? Anteil(rng) : 1.0L;
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
        {"Zahl als Text", Ersetzt(gut, "\"Garten\": 0", "\"Garten\": \"0\""),
         "„Garten“ ist keine Zahl"},
        {"Zahl mit Komma", Ersetzt(gut, "\"LadeBeiwert\": 0.06", "\"LadeBeiwert\": \"0,06\""),
         "„LadeBeiwert“ ist keine Zahl"},
        {"Flächen kein Objekt", Ersetzt(gut, "{\"Flaeche\": 120, \"Beiwert\": 0.9}", "120"),
         "ein Eintrag in „Flaechen“ ist kein Objekt"},
        {"Flächen keine Liste", Ersetzt(gut, "\"Flaechen\": [", "\"Flaechen\": 1, \"x\": ["),
         "„Flaechen“ ist keine Liste"},
        {"11 Monate", Ersetzt(gut, "[0.055, ", "["), "„Niederschlag“ braucht genau 12 Monatswerte"},
        {"13 Monate", Ersetzt(gut, "[0.055, ", "[0.055, 0.055, "),
         "„Niederschlag“ braucht genau 12 Monatswerte"},
        {"negativer Monat", Ersetzt(gut, "[0.055, ", "[-0.055, "),
         "„Niederschlag“ darf nicht negativ sein"},
        {"negative Fläche", Ersetzt(gut, "\"Flaeche\": 120", "\"Flaeche\": -120"),
         "„Flaeche“ darf nicht negativ sein"},
        {"unendlich", Ersetzt(gut, "\"Garten\": 0", "\"Garten\": 1e99999"),
         "„Garten“ ist keine endliche Zahl"},
        {"NaN", Ersetzt(gut, "\"Garten\": 0", "\"Garten\": NaN"), "kein gültiges JSON"},
        {"Wirkungsgrad über 1", Ersetzt(gut, "\"WGrad\": 0.9", "\"WGrad\": 90"),
         "„WGrad“ muss zwischen 0 und 1 liegen"},
        {"Beiwert über 1", Ersetzt(gut, "\"Beiwert\": 0.9", "\"Beiwert\": 1.2"),
         "„Beiwert“ muss zwischen 0 und 1 liegen"},
        {"Ladebeiwert über 1", Ersetzt(gut, "\"LadeBeiwert\": 0.06", "\"LadeBeiwert\": 1.01"),
         "„LadeBeiwert“ muss zwischen 0 und 1 liegen"},
        {"PLZ als Zahl", Ersetzt(gut, "\"14195\"", "14195"), "„PLZ“ ist kein Text"},
        {"PLZ zu kurz", Ersetzt(gut, "\"14195\"", "\"1419\""),
         "„PLZ“ ist keine fünfstellige Postleitzahl"},
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
