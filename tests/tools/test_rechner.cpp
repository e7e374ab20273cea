// The calculator: its three formats over a folder of cases with the shipped products, a bad
// file among good ones, and the wrong calls.
#include "../support/beispiel.h"
#include "model/berechnung.h"
#include "model/berechnungsdatei.h"
#include "rechner.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct Lauf {
    int status = -1;
    QString aus, fehler;
};

Lauf Rechne(const QStringList& argumente)
{
    Lauf lauf;
    QTextStream aus(&lauf.aus);
    QTextStream fehler(&lauf.fehler);
    lauf.status = FuehreRechnerAus(argumente, QStringLiteral(TW_DATENORDNER), aus, fehler);
    return lauf;
}

// Two cases and a broken file in a folder: 4 persons with a water-saving toilet and a washing
// machine under 100 m² of roof (the worked example: Volumen 3,168 m³), and a hand-entered
// curve without demand.
class Rechner : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ordner.isValid());
        TParameterSatz haus = Beispiel();
        haus.PLZ = QStringLiteral("14195");
        SpeichereBerechnung(ordner.filePath(QStringLiteral("a Haus.tropfwerk")), haus);
        TParameterSatz leer;
        InitParameterSatz(leer);
        SpeichereBerechnung(ordner.filePath(QStringLiteral("b leer.tropfwerk")), leer);
        QFile kaputt(ordner.filePath(QStringLiteral("c kaputt.tropfwerk")));
        ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly));
        kaputt.write("{\"format\": \"Tropfwerk-Berechnung\", \"version\": 1}");
    }
    QTemporaryDir ordner;
};

} // namespace

TEST_F(Rechner, DreiFormateUndEineKaputteDatei)
{
    const Lauf text = Rechne({ordner.path()});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(text.fehler.startsWith(
        QStringLiteral("Die Datei „%1“ ist keine gültige Berechnung: "
                       "das Feld „parametersatz“ fehlt.")
            .arg(QDir::toNativeSeparators(ordner.filePath(QStringLiteral("c kaputt.tropfwerk"))))))
        << text.fehler.toStdString();
    for (const char* zeile :
         {"Postleitzahl:         14195", "Jahresniederschlag:   0,715 m",
          "Ertrag:               57,92 m³/Jahr", "Bedarf:               52,80 m³/Jahr",
          "Volumen:              3,17 m³", "Deckungsrate:         109,69 %",
          "(Niederschlag von Hand eingegeben)", "Empfohlene Zisternen: keine"})
        EXPECT_TRUE(text.aus.contains(QString::fromUtf8(zeile))) << zeile << "\n"
                                                                 << text.aus.toStdString();

    const Lauf json = Rechne({QStringLiteral("--format"), QStringLiteral("json"), ordner.path()});
    EXPECT_EQ(json.status, 1);
    QJsonParseError fehler{};
    const QJsonArray faelle = QJsonDocument::fromJson(json.aus.toUtf8(), &fehler).array();
    ASSERT_EQ(fehler.error, QJsonParseError::NoError) << json.aus.toStdString();
    ASSERT_EQ(faelle.size(), 2);
    const QJsonObject haus = faelle[0].toObject();
    EXPECT_TRUE(haus[u"Datei"].toString().endsWith(u"a Haus.tropfwerk"));
    EXPECT_DOUBLE_EQ(haus[u"Ertrag"].toDouble(), 57.915);
    EXPECT_DOUBLE_EQ(haus[u"Bedarf"].toDouble(), 52.8);
    EXPECT_DOUBLE_EQ(haus[u"Volumen"].toDouble(), 3.168);
    EXPECT_DOUBLE_EQ(haus[u"Rate"].toDouble(), 109.6875);
    const QJsonArray produkte = haus[u"Produkte"].toArray();
    ASSERT_FALSE(produkte.isEmpty());
    for (const QJsonValue p : produkte) {
        const double volumen = p[u"Volumen"].toDouble();
        EXPECT_GE(volumen, 2.66);
        EXPECT_LE(volumen, 3.67);
        EXPECT_FALSE(p[u"Hersteller"].toString().isEmpty());
        EXPECT_GT(p[u"Preis"].toDouble(), 0);
    }
    EXPECT_TRUE(faelle[1][u"Produkte"].toArray().isEmpty());

    const Lauf csv = Rechne(
        {QStringLiteral("--format=csv"), ordner.filePath(QStringLiteral("a Haus.tropfwerk"))});
    EXPECT_EQ(csv.status, 0);
    EXPECT_TRUE(csv.fehler.isEmpty());
    const QStringList zeilen = csv.aus.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), produkte.size() + 1);
    EXPECT_EQ(zeilen[0], QStringLiteral("Datei,PLZ,Niederschlag,Ertrag,Bedarf,Volumen,Rate,"
                                        "Hersteller,Produkt,Produktvolumen,Preis"));
    EXPECT_TRUE(zeilen[1].contains(QStringLiteral(",14195,0.715,57.915,52.8,3.168,109.6875,")))
        << zeilen[1].toStdString();
}

TEST(RechnerAufruf, FalscheAufrufeGebenDieUebersichtUndStatus2)
{
    const QStringList falsch[] = {
        {},
        {QStringLiteral("--format")},
        {QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("a")},
        {QStringLiteral("--kurz"), QStringLiteral("a")},
        {QStringLiteral("--daten"), QStringLiteral("x")}};
    for (const QStringList& argumente : falsch) {
        SCOPED_TRACE(argumente.join(u' ').toStdString());
        const Lauf lauf = Rechne(argumente);
        EXPECT_EQ(lauf.status, 2);
        EXPECT_TRUE(lauf.fehler.contains(u"Aufruf: tropfwerk-rechner"))
            << lauf.fehler.toStdString();
        EXPECT_TRUE(lauf.aus.isEmpty());
    }
    const Lauf hilfe = Rechne({QStringLiteral("--hilfe")});
    EXPECT_EQ(hilfe.status, 0);
    EXPECT_TRUE(hilfe.aus.startsWith(u"Aufruf: tropfwerk-rechner"));

    // Without the product file: status 1 with the data file's message.
    QTemporaryDir leer;
    QTextStream aus(stdout);
    QString meldung;
    QTextStream fehlerText(&meldung);
    EXPECT_EQ(FuehreRechnerAus({QStringLiteral("x.tropfwerk")}, leer.path(), aus, fehlerText), 1);
    EXPECT_TRUE(meldung.contains(u"Data3.cry")) << meldung.toStdString();
}
